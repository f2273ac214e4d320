// The recents and search display settings screens, offscreen: what they
// restore from the store when they are made, what every choice stores at once, the language
// column collapsing to "All", the controls' places, and the shared instance outliving a pop.
#include "platform/core/SettingsStore.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "screens/settings/DisplaySettingsView.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "screens/settings/SearchDisplaySettingsViewController.h"
#include "settings/SettingsKeys.h"
#include "settings/SiteCodes.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
using Screen = BrowseFilterSettingsViewController;

// The shared screen of the recents list (false) or of the search list (true).
Screen* screen(bool search)
{
    if (search)
        return SearchDisplaySettingsViewController::sharedInstance();
    return DisplaySettingsViewController::sharedInstance();
}

QString stored(const QString& key)
{
    return SettingsStore::standard().stringForKey(key);
}

void store(const QString& key, const QString& value)
{
    SettingsStore::standard().setString(key, value);
    SettingsStore::standard().synchronize();
}

int categoryRow(const QString& code)
{
    return SiteCodes::indexOfCode(SiteCodes::categories(), code);
}

int languageRow(const QString& code)
{
    return SiteCodes::indexOfCode(SiteCodes::languages(), code);
}

// The text of a picker row on display.
QString rowText(PickerView* picker, int row, int component)
{
    auto* label = qobject_cast<Label*>(picker->viewForRow(row, component));
    return label ? label->text() : QStringLiteral("<no label>");
}

QString selectedText(PickerView* picker, int component)
{
    return rowText(picker, picker->selectedRowInComponent(component), component);
}

// A label subclass: not a plain label, so a screen does not reuse it for a row.
class OtherLabel : public Label
{
};
} // namespace

class TestDisplaySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void musicThenMovies_data();
    void musicThenMovies();
    void allCategoryForcesAllLanguage_data();
    void allCategoryForcesAllLanguage();
    void unknownStoredCategoryKeepsFirstRowAndCode_data();
    void unknownStoredCategoryKeepsFirstRowAndCode();
    void storedOrderAndSortSelectSegments_data();
    void storedOrderAndSortSelectSegments();
    void languageRestoredAfterCategory_data();
    void languageRestoredAfterCategory();
    void clicksAreStoredAtOnce_data();
    void clicksAreStoredAtOnce();
    void rowViewsAreVerdanaLabels();
    void screensPlaceSelectorsAndPicker_data();
    void screensPlaceSelectorsAndPicker();
    void sharedScreenSurvivesPopAndIsPushedAgain();

private:
    void addScreenRows();

    QTemporaryDir m_dir;
    int m_files = 0;
};

// Every test starts on an empty store of its own and with no screen made yet.
void TestDisplaySettings::init()
{
    QVERIFY(m_dir.isValid());
    SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
}

void TestDisplaySettings::cleanup()
{
    SearchDisplaySettingsViewController::resetSharedInstanceForTests();
    DisplaySettingsViewController::resetSharedInstanceForTests();
}

void TestDisplaySettings::addScreenRows()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("categoryKey");
    QTest::addColumn<QString>("languageKey");
    QTest::newRow("recents") << false << SettingsKeys::categories << SettingsKeys::language;
    QTest::newRow("search") << true << SettingsKeys::searchCategories << SettingsKeys::searchLanguage;
}

void TestDisplaySettings::musicThenMovies_data()
{
    addScreenRows();
}

// "Music" shows only "All" and stores language "0"; "Movies" then shows the 34 languages
// again and leaves the language "0".
void TestDisplaySettings::musicThenMovies()
{
    QFETCH(bool, search);
    QFETCH(QString, categoryKey);
    QFETCH(QString, languageKey);
    Screen* s = screen(search);
    PickerView* picker = s->pickerView();

    s->didSelectRow(picker, categoryRow(QStringLiteral("1")), 0);
    s->didSelectRow(picker, languageRow(QStringLiteral("3")), 1);
    QCOMPARE(stored(languageKey), QStringLiteral("3"));

    s->didSelectRow(picker, categoryRow(QStringLiteral("2")), 0);
    QCOMPARE(stored(categoryKey), QStringLiteral("2"));
    QCOMPARE(stored(languageKey), QStringLiteral("0"));
    QCOMPARE(picker->numberOfRowsInComponent(1), 1);
    QCOMPARE(rowText(picker, 0, 1), QStringLiteral("All"));

    s->didSelectRow(picker, categoryRow(QStringLiteral("1")), 0);
    QCOMPARE(stored(categoryKey), QStringLiteral("1"));
    QCOMPARE(stored(languageKey), QStringLiteral("0"));
    QCOMPARE(picker->numberOfRowsInComponent(1), 34);
    QCOMPARE(s->languages().size(), 34);
    QCOMPARE(selectedText(picker, 1), QStringLiteral("All"));
}

void TestDisplaySettings::allCategoryForcesAllLanguage_data()
{
    addScreenRows();
}

void TestDisplaySettings::allCategoryForcesAllLanguage()
{
    QFETCH(bool, search);
    QFETCH(QString, categoryKey);
    QFETCH(QString, languageKey);
    Screen* s = screen(search);
    PickerView* picker = s->pickerView();
    s->didSelectRow(picker, categoryRow(QStringLiteral("3")), 0);
    s->didSelectRow(picker, languageRow(QStringLiteral("1")), 1);
    QCOMPARE(stored(languageKey), QStringLiteral("1"));

    s->didSelectRow(picker, 0, 0);
    QCOMPARE(stored(categoryKey), QStringLiteral("0"));
    QCOMPARE(stored(languageKey), QStringLiteral("0"));
    QCOMPARE(picker->numberOfRowsInComponent(1), 1);
}

void TestDisplaySettings::unknownStoredCategoryKeepsFirstRowAndCode_data()
{
    addScreenRows();
}

// A code no longer in the table: the picker stays on "All", the stored code is not touched,
// and the language (the full list is shown) is restored as stored.
void TestDisplaySettings::unknownStoredCategoryKeepsFirstRowAndCode()
{
    QFETCH(bool, search);
    QFETCH(QString, categoryKey);
    QFETCH(QString, languageKey);
    store(categoryKey, QStringLiteral("99"));
    store(languageKey, QStringLiteral("1"));
    Screen* s = screen(search);
    PickerView* picker = s->pickerView();
    QCOMPARE(picker->selectedRowInComponent(0), 0);
    QCOMPARE(selectedText(picker, 0), QStringLiteral("All"));
    QCOMPARE(stored(categoryKey), QStringLiteral("99"));
    QCOMPARE(picker->numberOfRowsInComponent(1), 34);
    QCOMPARE(selectedText(picker, 1), QStringLiteral("English"));
    QCOMPARE(stored(languageKey), QStringLiteral("1"));
}

void TestDisplaySettings::storedOrderAndSortSelectSegments_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("order"); // null: absent
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("orderSegment");
    QTest::addColumn<QString>("sortSegment");
    QTest::newRow("search B asc") << true << QStringLiteral("B") << QStringLiteral("asc") << "Size" << "Asc";
    QTest::newRow("search absent") << true << QString() << QString() << "Date" << "Desc";
    QTest::newRow("search empty") << true << QStringLiteral("") << QStringLiteral("") << "Date" << "Desc";
    QTest::newRow("recents L desc") << false << QStringLiteral("L") << QStringLiteral("desc") << "Leechers" << "Desc";
    QTest::newRow("recents S asc") << false << QStringLiteral("S") << QStringLiteral("asc") << "Seeders" << "Asc";
    QTest::newRow("recents unknown") << false << QStringLiteral("Z") << QStringLiteral("up") << "Date" << "Desc";
}

void TestDisplaySettings::storedOrderAndSortSelectSegments()
{
    QFETCH(bool, search);
    QFETCH(QString, order);
    QFETCH(QString, sort);
    QFETCH(QString, orderSegment);
    QFETCH(QString, sortSegment);
    const QString orderKey = search ? SettingsKeys::searchOrderBy : SettingsKeys::orderBy;
    const QString sortKey = search ? SettingsKeys::searchSortBy : SettingsKeys::sortBy;
    if (!order.isNull())
        store(orderKey, order);
    if (!sort.isNull())
        store(sortKey, sort);
    Screen* s = screen(search);
    SegmentedControl* orderControl = s->orderControl();
    SegmentedControl* sortControl = s->sortControl();
    QCOMPARE(orderControl->titleForSegmentAtIndex(orderControl->selectedSegmentIndex()), orderSegment);
    QCOMPARE(sortControl->titleForSegmentAtIndex(sortControl->selectedSegmentIndex()), sortSegment);
    // Opening the screen writes neither key.
    QCOMPARE(stored(orderKey), order);
    QCOMPARE(stored(sortKey), sort);
}

void TestDisplaySettings::languageRestoredAfterCategory_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("languageRows");
    QTest::addColumn<QString>("storedLanguage");
    QTest::addColumn<QString>("shownLanguage");
    QTest::newRow("Music") << true << "2" << "3" << 1 << "0" << "All";
    QTest::newRow("All") << false << "0" << "18" << 1 << "0" << "All";
    QTest::newRow("Miscellaneous") << true << "6" << "18" << 1 << "0" << "All";
    QTest::newRow("Pictures") << false << "8" << "1" << 1 << "0" << "All";
    QTest::newRow("Movies") << true << "1" << "3" << 34 << "3" << "French";
    QTest::newRow("TV") << false << "3" << "27" << 34 << "27" << "Turkish";
    QTest::newRow("TV, no language") << false << "3" << "" << 34 << "" << "All";
}

// The language is read after the category has been chosen: a category whose languages do
// not apply leaves "0", whatever was stored.
void TestDisplaySettings::languageRestoredAfterCategory()
{
    QFETCH(bool, search);
    QFETCH(QString, category);
    QFETCH(QString, language);
    QFETCH(int, languageRows);
    QFETCH(QString, storedLanguage);
    QFETCH(QString, shownLanguage);
    const QString categoryKey = search ? SettingsKeys::searchCategories : SettingsKeys::categories;
    const QString languageKey = search ? SettingsKeys::searchLanguage : SettingsKeys::language;
    store(categoryKey, category);
    store(languageKey, language);
    Screen* s = screen(search);
    PickerView* picker = s->pickerView();
    QCOMPARE(s->categories().value(picker->selectedRowInComponent(0)).code, category);
    QCOMPARE(picker->numberOfRowsInComponent(1), languageRows);
    QCOMPARE(stored(languageKey), storedLanguage);
    QCOMPARE(selectedText(picker, 1), shownLanguage);
}

void TestDisplaySettings::clicksAreStoredAtOnce_data()
{
    QTest::addColumn<bool>("search");
    QTest::newRow("recents") << false;
    QTest::newRow("search") << true;
}

// Taps on the selectors and the picker store their codes before anything else happens.
void TestDisplaySettings::clicksAreStoredAtOnce()
{
    QFETCH(bool, search);
    const QString orderKey = search ? SettingsKeys::searchOrderBy : SettingsKeys::orderBy;
    const QString sortKey = search ? SettingsKeys::searchSortBy : SettingsKeys::sortBy;
    const QString categoryKey = search ? SettingsKeys::searchCategories : SettingsKeys::categories;
    const QString languageKey = search ? SettingsKeys::searchLanguage : SettingsKeys::language;
    Screen* s = screen(search);
    QWidget* view = s->view();
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));

    SegmentedControl* order = s->orderControl();
    const int segment = order->width() / 4;
    QTest::mouseClick(order, Qt::LeftButton, {}, QPoint(2 * segment + segment / 2, order->height() / 2));
    QCOMPARE(stored(orderKey), QStringLiteral("S"));
    QTest::mouseClick(order, Qt::LeftButton, {}, QPoint(segment / 2, order->height() / 2));
    QCOMPARE(stored(orderKey), QLatin1String(""));
    SegmentedControl* sort = s->sortControl();
    QTest::mouseClick(sort, Qt::LeftButton, {}, QPoint(sort->width() * 3 / 4, sort->height() / 2));
    QCOMPARE(stored(sortKey), QStringLiteral("asc"));

    // A tap one row below the middle chooses the next row; two rows below, the one after.
    PickerView* picker = s->pickerView();
    const int middle = picker->height() / 2;
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->componentRect(0).center().x(), middle + 20));
    QCOMPARE(stored(categoryKey), QStringLiteral("5")); // Applications
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->componentRect(1).center().x(), middle + 40));
    QCOMPARE(stored(languageKey), QStringLiteral("20")); // Bulgarian
    QCOMPARE(picker->selectedRowInComponent(1), 2);
    view->hide();
}

// Rows are left-aligned Verdana 18 labels, white on clear, 150 or 110 x 18; only a plain
// label handed back is reused.
void TestDisplaySettings::rowViewsAreVerdanaLabels()
{
    Screen* s = screen(false);
    PickerView* picker = s->pickerView();
    QCOMPARE(picker->numberOfComponents(), 2);
    QCOMPARE(picker->numberOfRowsInComponent(0), 13);
    QCOMPARE(picker->numberOfRowsInComponent(1), 34);
    QCOMPARE(picker->componentRect(0).width(), 160);
    QCOMPARE(picker->componentRect(1).width(), 120);
    QCOMPARE(s->rowHeightForComponent(picker, 0), 20.0);
    QCOMPARE(s->rowHeightForComponent(picker, 1), 20.0);
    for (int component : {0, 1}) {
        auto* label = qobject_cast<Label*>(picker->viewForRow(0, component));
        QVERIFY(label);
        QCOMPARE(label->size(), QSize(component == 0 ? 150 : 110, 18));
        QCOMPARE(label->textAlignment(), TextAlignment::Left);
        QCOMPARE(label->font().family(), Fonts::fontWithName(QStringLiteral("Verdana"), 18).family());
        QCOMPARE(label->font().pixelSize(), 18);
        QCOMPARE(label->textColor(), QColor(Qt::white));
        QCOMPARE(label->backgroundColor().alpha(), 0);
    }

    auto plain = std::make_unique<Label>();
    QCOMPARE(s->viewForRow(picker, 3, 0, plain.get()), plain.get());
    QCOMPARE(plain->text(), QStringLiteral("Books"));
    OtherLabel other;
    std::unique_ptr<QWidget> made(s->viewForRow(picker, 8, 1, &other));
    QVERIFY(made.get() != &other);
    QCOMPARE(qobject_cast<Label*>(made.get())->text(), QStringLiteral("English"));
}

void TestDisplaySettings::screensPlaceSelectorsAndPicker_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("title");
    QTest::newRow("recents") << false << "Recents Display Settings";
    QTest::newRow("search") << true << "Search Settings";
}

// Both screens show the labels and selectors at the search screen's places and the picker
// below them, the recents screen too; the content covers the picker.
void TestDisplaySettings::screensPlaceSelectorsAndPicker()
{
    QFETCH(bool, search);
    QFETCH(QString, title);
    Screen* s = screen(search);
    QCOMPARE(s->title(), title);
    QCOMPARE(s->navigationItem()->title(), title);
    QCOMPARE(s->navigationItem()->leftView()->size(), QSize(50, 47));

    auto* view = qobject_cast<DisplaySettingsView*>(s->view());
    QVERIFY(view);
    QCOMPARE(view, s->infoView());
    QCOMPARE(view->delegate(), s);
    QCOMPARE(view->size(), QSize(320, 480));
    ScrollView* scroll = view->scrollView();
    QVERIFY(scroll);
    QCOMPARE(scroll->geometry(), view->rect());
    QVERIFY(!scroll->delaysContentTouches());
    QVERIFY(!scroll->canCancelContentTouches());

    QCOMPARE(s->orderLabel()->text(), QStringLiteral("Order by:"));
    QCOMPARE(s->orderLabel()->geometry(), QRect(20, 100, 300, 20));
    QCOMPARE(s->orderLabel()->textColor(), QColor(Qt::white));
    QCOMPARE(s->sortLabel()->text(), QStringLiteral("Sort:"));
    QCOMPARE(s->sortLabel()->geometry(), QRect(20, 170, 300, 20));
    QCOMPARE(s->orderControl()->geometry(), QRect(20, 130, 280, 30));
    QCOMPARE(s->orderControl()->segmentedControlStyle(), SegmentedControl::Style::Bar);
    QCOMPARE(s->orderControl()->numberOfSegments(), 4);
    QCOMPARE(s->sortControl()->geometry(), QRect(20, 200, 280, 30));
    QCOMPARE(s->sortControl()->numberOfSegments(), 2);
    for (QWidget* w : {static_cast<QWidget*>(s->orderLabel()), static_cast<QWidget*>(s->orderControl()),
                       static_cast<QWidget*>(s->pickerView())})
        QCOMPARE(w->parentWidget(), scroll->contentView());

    PickerView* picker = s->pickerView();
    QCOMPARE(picker->geometry(), QRect(20, 250, 290, 216));
    QVERIFY(picker->showsSelectionIndicator());
    QVERIFY(scroll->contentSize().height() > picker->geometry().bottom());

    // In a shorter frame (under the bars) the selectors close up under the heading and the
    // picker gets shorter, so that all of it shows; in a frame shorter still the picker stops
    // at a picker's least height and the scroll view reaches it.
    view->resize(320, 367);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QCOMPARE(scroll->geometry(), QRect(0, 0, 320, 367));
    QVERIFY(picker->geometry().bottom() < 367);
    QVERIFY(picker->height() >= 162);
    QVERIFY(s->sortControl()->geometry().bottom() < picker->y());
    QVERIFY(s->orderControl()->geometry().bottom() < s->sortLabel()->y());
    QVERIFY(view->findChild<QWidget*>(QStringLiteral("headingLabel"))->geometry().bottom() < s->orderLabel()->y());
    view->resize(320, 300);
    QCOMPARE(picker->height(), 162);
    QVERIFY(scroll->maximumContentOffset().y() + 300 > picker->geometry().bottom());
    view->hide();
}

// The navigation controller's pop neither deletes nor adopts the shared screen; the back
// button pops it and it can be pushed again.
void TestDisplaySettings::sharedScreenSurvivesPopAndIsPushedAgain()
{
    for (bool search : {false, true}) {
        auto* root = new ViewController; // the navigation controller's child
        auto nav = std::make_unique<NavigationController>(root);
        nav->view()->resize(320, 480);
        nav->view()->show();
        QVERIFY(QTest::qWaitForWindowExposed(nav->view()));
        nav->beginAppearance(true, false);
        nav->endAppearance(false);
        nav->setNavigationBarHidden(true);

        QPointer<Screen> s = screen(search);
        for (int visit = 0; visit < 2; ++visit) {
            nav->pushViewController(s, false);
            QCOMPARE(nav->topViewController(), s.data());
            QCOMPARE(s->navigationController(), nav.get());
            QVERIFY(s->parent() != nav.get());
            QVERIFY(!nav->isNavigationBarHidden()); // made visible on appearing
            auto* back = qobject_cast<QWidget*>(s->navigationItem()->leftView());
            QVERIFY(back);
            QTRY_VERIFY(back->isVisible());
            QTest::mouseClick(back, Qt::LeftButton, {}, back->rect().center());
            QTRY_COMPARE(nav->topViewController(), root);
            // Let the pop finish (the popped view is let go after the slide).
            QTRY_VERIFY(!s->view()->parentWidget());
            QVERIFY(s);
        }
        nav.reset();
        QVERIFY(s);
        QCOMPARE(s.data(), screen(search));
        QVERIFY(s->pickerView());
    }
}

QTEST_MAIN(TestDisplaySettings)
#include "tst_displaysettings.moc"
