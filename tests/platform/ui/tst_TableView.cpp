// Table view: only rows in view get cells, cells come back by reuse identifier, selection and
// deletion (Delete key, confirmation button) reach the data source and delegate correctly, the
// keyboard walks and opens rows, and a reader sees every row.
#include "platform/ui/Accessibility.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {
class Source : public TableViewDataSource, public TableViewDelegate
{
public:
    QStringList rows;
    bool removeOnCommit = true;
    int cellsMade = 0;
    QList<IndexPath> asked;
    QList<IndexPath> committed;
    QList<IndexPath> selected;
    int accessoryTouches = 0;

    int numberOfRowsInSection(TableView*, int) override { return int(rows.size()); }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& path) override
    {
        asked.append(path);
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("Row"));
        if (!cell) {
            ++cellsMade;
            cell = new TableViewCell(TableViewCellStyle::Default, QStringLiteral("Row"));
            auto* button = new Button;
            button->resize(25, 25);
            QObject::connect(button, &Button::touchDown, [this] { ++accessoryTouches; });
            cell->setAccessoryView(button);
        }
        cell->textLabel()->setText(rows.at(path.row));
        return cell;
    }
    double heightForRowAtIndexPath(TableView*, const IndexPath&) override { return 37; }
    void didSelectRowAtIndexPath(TableView*, const IndexPath& path) override { selected.append(path); }
    bool canEditRowAtIndexPath(TableView*, const IndexPath&) override { return true; }
    void commitEditingStyle(TableView* table, TableViewCellEditingStyle, const IndexPath& path) override
    {
        committed.append(path);
        if (removeOnCommit)
            rows.removeAt(path.row);
        table->deleteRowsAtIndexPaths({path}, TableViewRowAnimation::Fade);
    }
};

QStringList numbered(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(QStringLiteral("Row %1").arg(i));
    return rows;
}

QString textAt(TableView& table, int row)
{
    TableViewCell* cell = table.cellForRowAtIndexPath(IndexPath{0, row});
    return cell ? cell->textLabel()->text() : QString();
}

bool rowInView(TableView& table, int row)
{
    const QRectF r = table.rectForRowAtIndexPath(IndexPath{0, row});
    return r.top() >= table.contentOffset().y() && r.bottom() <= table.contentOffset().y() + table.height();
}

QPoint rowCentre(TableView& table, int row)
{
    const QRectF r = table.rectForRowAtIndexPath(IndexPath{0, row});
    return QPoint(100, int(r.center().y() - table.contentOffset().y()));
}
} // namespace

class TableViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Accessibility::install(); }

    void onlyVisibleRowsGetCellsAndCellsAreReused()
    {
        Source source;
        source.rows = numbered(1000);
        TableView table;
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.resize(320, 480);
        table.show();
        table.reloadData();

        // 480 / 37: rows 0..12 in view.
        QCOMPARE(table.indexPathsForVisibleRows().size(), 13);
        QCOMPARE(source.asked.first(), (IndexPath{0, 0}));
        QCOMPARE(source.asked.last(), (IndexPath{0, 12}));
        QCOMPARE(table.contentSize().height(), 37000.0);
        const int made = source.cellsMade;

        // Scrolling far hands the cells that left the view to the rows that came in.
        table.setContentOffset(QPointF(0, 37 * 500));
        QCOMPARE(table.indexPathsForVisibleRows().first(), (IndexPath{0, 500}));
        QCOMPARE(textAt(table, 500), QStringLiteral("Row 500"));
        QCOMPARE(source.cellsMade, made);
        for (int y = 0; y < 37 * 1000; y += 50)
            table.setContentOffset(QPointF(0, y));
        QVERIFY(source.cellsMade <= made + 1);
        QVERIFY(table.cellCount() <= 15);

        // A reused cell comes back clean: not highlighted or selected.
        table.setContentOffset(QPointF(0, 0));
        table.selectRowAtIndexPath(IndexPath{0, 1}, false, TableViewScrollPosition::None);
        QVERIFY(table.cellForRowAtIndexPath(IndexPath{0, 1})->isSelected());
        table.setContentOffset(QPointF(0, 37 * 100));
        for (TableViewCell* cell : table.visibleCells())
            QVERIFY(!cell->isSelected());
    }

    void tapSelectsRowAndAccessoryActsOnTouchDown()
    {
        Source source;
        source.rows = numbered(20);
        TableView table;
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.resize(320, 480);
        table.show();
        table.reloadData();
        // The rows are replaced but not drawn yet: a tap meets what the screen still shows
        // and opens nothing.
        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 3));
        QVERIFY(source.selected.isEmpty());
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QCoreApplication::processEvents(); // the new rows are drawn

        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 3));
        QCOMPARE(source.selected, (QList<IndexPath>{IndexPath{0, 3}}));
        QCOMPARE(table.indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, 3}));
        table.deselectRowAtIndexPath(IndexPath{0, 3}, false);
        QVERIFY(!table.indexPathForSelectedRow());

        // The accessory button takes the press itself, on touch-down, and selects nothing.
        auto* button = qobject_cast<Button*>(table.cellForRowAtIndexPath(IndexPath{0, 5})->accessoryView());
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(source.accessoryTouches, 1);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(source.selected.size(), 1);

        table.setAllowsSelection(false);
        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 4));
        QCOMPARE(source.selected.size(), 1);
    }

    void deleteKeyAndConfirmationDeleteTheRow_data()
    {
        QTest::addColumn<bool>("confirmWithKey");
        QTest::newRow("second Delete key") << true;
        QTest::newRow("confirmation button") << false;
    }

    void deleteKeyAndConfirmationDeleteTheRow()
    {
        QFETCH(bool, confirmWithKey);
        Source source;
        source.rows = numbered(10);
        TableView table;
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.setSeparatorStyle(TableViewCellSeparatorStyle::None);
        table.resize(320, 480);
        table.show();
        table.reloadData();

        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 2));
        QTest::keyClick(&table, Qt::Key_Delete);
        // The first Delete only asks: the red button shows on that row.
        QVERIFY(source.committed.isEmpty());
        QCOMPARE(table.indexPathShowingDeleteConfirmation(), std::optional<IndexPath>(IndexPath{0, 2}));
        Button* confirm = table.cellForRowAtIndexPath(IndexPath{0, 2})->deleteConfirmationButton();
        QVERIFY(confirm && confirm->isVisible());
        QCOMPARE(confirm->currentTitle(), QStringLiteral("Delete"));

        if (confirmWithKey)
            QTest::keyClick(&table, Qt::Key_Delete);
        else
            QTest::mouseClick(confirm, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(source.committed, (QList<IndexPath>{IndexPath{0, 2}}));
        QCOMPARE(table.numberOfRowsInSection(0), 9);
        QVERIFY(!table.indexPathShowingDeleteConfirmation());
        // The row fades while the rows below close up; afterwards row 2 shows the old row 3.
        QTRY_COMPARE(table.contentSize().height(), 9 * 37.0);
        QCOMPARE(textAt(table, 2), QStringLiteral("Row 3"));
        QCOMPARE(table.rectForRowAtIndexPath(IndexPath{0, 2}).top(), 74.0);
        QCOMPARE(table.cellForRowAtIndexPath(IndexPath{0, 2})->y(), 74);
    }

    void escapeOrTapAwayCancelsAndInconsistentDeletionReloads()
    {
        Source source;
        source.rows = numbered(5);
        TableView table;
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.resize(320, 480);
        table.show();
        table.reloadData();

        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 1));
        QTest::keyClick(&table, Qt::Key_Delete);
        QTest::keyClick(&table, Qt::Key_Escape);
        QVERIFY(!table.indexPathShowingDeleteConfirmation());
        // A tap beside the button only dismisses it, it selects nothing.
        table.showDeleteConfirmation(IndexPath{0, 1});
        const auto selectedBefore = source.selected.size();
        QTest::mouseClick(&table, Qt::LeftButton, {}, rowCentre(table, 3));
        QVERIFY(!table.indexPathShowingDeleteConfirmation());
        QCOMPARE(source.selected.size(), selectedBefore);
        QVERIFY(source.committed.isEmpty());

        // A data source that announces a deletion without removing the row gets a full
        // reload rather than a table out of step with its data.
        source.removeOnCommit = false;
        table.showDeleteConfirmation(IndexPath{0, 4});
        QTest::keyClick(&table, Qt::Key_Delete);
        QCOMPARE(source.committed.size(), 1);
        QCOMPARE(table.numberOfRowsInSection(0), 5);
        QCOMPARE(textAt(table, 4), QStringLiteral("Row 4"));
    }

    // Tab reaches the table and the keys walk it: each key moves the selection to its row and
    // shows it, Return and Enter open the row as a tap does, Delete asks and Return confirms.
    // The ring shows for the keyboard only.
    void keyboardWalksSelectsAndOpensRows()
    {
        Source source;
        source.rows = numbered(1000);
        QWidget window;
        auto* field = new QLineEdit(&window);
        auto* table = new TableView(TableViewStyle::Plain, &window);
        table->setDataSource(&source);
        table->setDelegate(&source);
        // A page of exactly twelve rows.
        field->setGeometry(0, 0, 320, 30);
        table->setGeometry(0, 36, 320, 12 * 37);
        window.resize(320, 480);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(table->hasFocus());
        auto* ring = table->findChild<QWidget*>(QStringLiteral("tableFocusRing"));
        QVERIFY(ring && ring->isVisible());
        QCOMPARE(table->keyboardRow(), std::optional<IndexPath>(IndexPath{0, 0}));
        QVERIFY(!table->indexPathForSelectedRow());

        const int page = 12;
        const struct
        {
            Qt::Key key;
            int row;
        } walk[] = {{Qt::Key_Down, 1},   {Qt::Key_Down, 2},           {Qt::Key_Up, 1},
                    {Qt::Key_End, 999},  {Qt::Key_PageUp, 999 - page}, {Qt::Key_PageDown, 999},
                    {Qt::Key_Home, 0},   {Qt::Key_Up, 0},             {Qt::Key_PageDown, page},
                    {Qt::Key_Down, page + 1}};
        for (const auto& step : walk) {
            QTest::keyClick(table, step.key);
            QCOMPARE(table->indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, step.row}));
            QVERIFY2(rowInView(*table, step.row), qPrintable(QString::number(step.row)));
            QVERIFY(table->cellForRowAtIndexPath(IndexPath{0, step.row})->isSelected());
            QCOMPARE(ring->geometry(), table->rectForRowAtIndexPath(IndexPath{0, step.row}).toAlignedRect());
        }
        // Walking only selects; the screen hears of a row when it is opened.
        QVERIFY(source.selected.isEmpty());
        QTest::keyClick(table, Qt::Key_Return);
        QTest::keyClick(table, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(source.selected, (QList<IndexPath>{IndexPath{0, page + 1}, IndexPath{0, page + 1}}));

        // A tap takes the ring away and moves the keys to the tapped row.
        QTest::mouseClick(table, Qt::LeftButton, {}, rowCentre(*table, page + 3));
        QVERIFY(!ring->isVisible());
        QTest::keyClick(table, Qt::Key_Down);
        QVERIFY(ring->isVisible());
        QCOMPARE(table->indexPathForSelectedRow(), std::optional<IndexPath>(IndexPath{0, page + 4}));

        // Delete asks on the walked-to row; Return presses the red button.
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(table->indexPathShowingDeleteConfirmation(), std::optional<IndexPath>(IndexPath{0, page + 4}));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(source.committed, (QList<IndexPath>{IndexPath{0, page + 4}}));
        // Return on the red button deletes only: the rows opened were the two by keys and the tap.
        QCOMPARE(source.selected.size(), 3);
    }

    // A reader sees the whole list: every row counted and named from the data source, rows out
    // of view reachable and pressable, without the table keeping more cells for it.
    void readerSeesEveryRowOfTheDataSource()
    {
        Source source;
        source.rows = numbered(1000);
        TableView table;
        table.setDataSource(&source);
        table.setDelegate(&source);
        table.resize(320, 480);
        table.show();
        table.reloadData();
        const int cells = table.cellCount();

        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&table);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 1000);
        for (int i = 0; i < 1000; ++i) {
            QAccessibleInterface* row = list->child(i);
            QVERIFY(row);
            QCOMPARE(row->role(), QAccessible::ListItem);
            QCOMPARE(row->text(QAccessible::Name), QStringLiteral("Row %1").arg(i));
            QCOMPARE(list->indexOfChild(row), i);
            QCOMPARE(row->parent(), list);
            QCOMPARE(bool(row->state().offscreen), i > 12);
        }
        // Reading borrowed one cell at a time from the pool, and gave it back.
        QVERIFY(table.cellCount() <= cells + 1);
        // The row in view is its cell; a row out of view is the same item when asked again.
        QCOMPARE(list->child(3)->object(), table.cellForRowAtIndexPath(IndexPath{0, 3}));
        QCOMPARE(list->child(700), list->child(700));

        // Focus walks the keys to a far row and shows it; press opens it as a tap does.
        list->child(500)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QCOMPARE(table.keyboardRow(), std::optional<IndexPath>(IndexPath{0, 500}));
        QVERIFY(rowInView(table, 500));
        list->child(900)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(source.selected, (QList<IndexPath>{IndexPath{0, 900}}));

        // The count follows the data.
        source.rows = numbered(7);
        table.reloadData();
        QCOMPARE(list->childCount(), 7);
        QVERIFY(!list->child(7));
    }
};

QTEST_MAIN(TableViewTest)
#include "tst_TableView.moc"
