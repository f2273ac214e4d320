// Scrolling by hand and by keys: a flick carries a list on past where the finger let go, a
// drag let go still stays where it was left, the Page keys move a scroll view, and a flicked
// picker wheel comes to rest on a row and says which.
#include "platform/ui/PickerView.h"
#include "platform/ui/PickerViewDataSource.h"
#include "platform/ui/PickerViewDelegate.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <QPointingDevice>

#include <memory>
#include <QScroller>
#include <QTest>

#include <cmath>

namespace {
class Rows : public TableViewDataSource
{
public:
    int numberOfRowsInSection(TableView*, int) override { return 1000; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath&) override
    {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("Row"));
        return cell ? cell : new TableViewCell(TableViewCellStyle::Default, QStringLiteral("Row"));
    }
};

class Wheel : public PickerViewDataSource, public PickerViewDelegate
{
public:
    QList<int> chosen;
    QList<int> components;
    int count = 1;
    int numberOfComponentsInPickerView(PickerView*) override { return count; }
    int numberOfRowsInComponent(PickerView*, int) override { return 100; }
    QString titleForRow(PickerView*, int row, int) override { return QString::number(row); }
    void didSelectRow(PickerView*, int row, int component) override
    {
        chosen.append(row);
        components.append(component);
    }
};

// The finger moves `distance` up the widget in steps a frame apart, as a quick flick does.
void flickUp(QWidget* widget, QPointingDevice* device, QPoint from, int distance)
{
    QTest::touchEvent(widget, device).press(0, from);
    for (int moved = 20; moved <= distance; moved += 20) {
        QTest::qWait(16);
        QTest::touchEvent(widget, device).move(0, from - QPoint(0, moved));
    }
    QTest::touchEvent(widget, device).release(0, from - QPoint(0, distance));
}
} // namespace

class ScrollingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flickCarriesTheListFurtherThanTheFinger()
    {
        Rows rows;
        TableView table;
        table.setDataSource(&rows);
        table.resize(320, 480);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        // Owned here: QTest hands the touch device over and never frees it.
        const std::unique_ptr<QPointingDevice> touch(QTest::createTouchDevice());
        QPointingDevice* device = touch.get();

        // The scroller reads the finger's speed from its events' times: a machine that holds
        // this process between two moves shows it a slow finger, which rightly stops where it
        // is let go. A flick from the top is tried again then, up to three times.
        for (int attempt = 0; attempt < 3; ++attempt) {
            table.setContentOffset(QPointF(0, 0));
            flickUp(&table, device, QPoint(160, 400), 200);
            QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
            if (table.contentOffset().y() > 260)
                break;
        }
        QVERIFY2(table.contentOffset().y() > 260, qPrintable(QString::number(table.contentOffset().y())));
        // It comes to rest inside the content.
        QVERIFY(table.contentOffset().y() <= table.maximumContentOffset().y());
        QVERIFY(!table.indexPathsForVisibleRows().isEmpty());

        // A flick down past the top overshoots and springs back to the first row.
        QTest::touchEvent(&table, device).press(0, QPoint(160, 50));
        for (int moved = 40; moved <= 440; moved += 40) {
            QTest::qWait(16);
            QTest::touchEvent(&table, device).move(0, QPoint(160, 50 + moved));
        }
        QTest::touchEvent(&table, device).release(0, QPoint(160, 490));
        QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
        QCOMPARE(table.contentOffset(), QPointF(0, 0));
    }

    // A drag that stops before it is let go leaves the list where the finger left it.
    void dragLetGoStillStaysPut()
    {
        Rows rows;
        TableView table;
        table.setDataSource(&rows);
        table.resize(320, 480);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QTest::mousePress(&table, Qt::LeftButton, {}, QPoint(160, 400));
        // The list follows the finger (the scroller moves it a frame at a time).
        for (int y = 390; y >= 250; y -= 10) {
            QTest::qWait(16);
            QTest::mouseMove(&table, QPoint(160, y), 16);
        }
        QTRY_COMPARE(table.contentOffset(), QPointF(0, 150));
        // The finger rests before it lifts: no speed is left to carry the list on.
        QTest::qWait(300);
        QTest::mouseRelease(&table, Qt::LeftButton, {}, QPoint(160, 250), 300);
        QTRY_COMPARE(table.scroller()->state(), QScroller::Inactive);
        QCOMPARE(table.contentOffset(), QPointF(0, 150));
    }

    void keysScrollAScrollView()
    {
        ScrollView view;
        view.resize(320, 480);
        view.setContentSize(QSizeF(320, 2000));
        view.show();
        const struct
        {
            Qt::Key key;
            double y;
        } steps[] = {{Qt::Key_Down, 40},     {Qt::Key_PageDown, 480}, {Qt::Key_Up, 440},
                     {Qt::Key_End, 1520},    {Qt::Key_PageDown, 1520}, {Qt::Key_PageUp, 1080},
                     {Qt::Key_Home, 0},      {Qt::Key_Up, 0}};
        for (const auto& step : steps) {
            QTest::keyClick(&view, step.key);
            QCOMPARE(view.contentOffset(), QPointF(0, step.y));
        }
    }

    void flickedPickerSettlesOnARow()
    {
        Wheel wheel;
        PickerView picker;
        picker.setDataSource(&wheel);
        picker.setDelegate(&wheel);
        picker.resize(320, 216);
        picker.reloadAllComponents();
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        // Owned here: QTest hands the touch device over and never frees it.
        const std::unique_ptr<QPointingDevice> touch(QTest::createTouchDevice());
        QPointingDevice* device = touch.get();

        // The finger goes up three rows' worth; the wheel spins on further.
        flickUp(&picker, device, QPoint(160, 190), 100);
        QTRY_COMPARE(wheel.chosen.size(), 1);
        const int row = wheel.chosen.first();
        QVERIFY2(row > 3, qPrintable(QString::number(row)));
        QCOMPARE(picker.selectedRowInComponent(0), row);
        // At rest the chosen row sits in the middle.
        QTRY_VERIFY(picker.viewForRow(row, 0));
        QWidget* view = picker.viewForRow(row, 0);
        QTRY_VERIFY(std::abs(view->mapTo(&picker, view->rect().center()).y() - picker.height() / 2) <= 1);
    }

    // Keys choose in the wheel they act on, as a turn of it does; the ends hold.
    void keysChooseInAPicker()
    {
        Wheel wheel;
        wheel.count = 2;
        PickerView picker;
        picker.setDataSource(&wheel);
        picker.setDelegate(&wheel);
        picker.reloadAllComponents();
        picker.show();
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up,
                                Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down,
                                Qt::Key_Left, Qt::Key_Home};
        for (Qt::Key key : keys)
            QTest::keyClick(&picker, key);
        QCOMPARE(wheel.chosen, (QList<int>{1, 2, 1, 0, 99, 1, 0}));
        QCOMPARE(wheel.components, (QList<int>{0, 0, 0, 0, 0, 1, 0}));
        QCOMPARE(picker.selectedRowInComponent(0), 0);
        QCOMPARE(picker.selectedRowInComponent(1), 1);
    }
};

QTEST_MAIN(ScrollingTest)
#include "tst_scrolling.moc"
