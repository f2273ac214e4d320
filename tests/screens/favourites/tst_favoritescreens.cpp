// The favourite filter screens, offscreen: the filter list with its entry form (adding,
// deleting the second of three, the form opening by itself on an empty list, a text that is
// not a pattern refused with the reason, changes the settings file cannot take said and not
// shown as made), and the page count screen (its count on an empty
// store, counts out of range, a slider change made once and a keyboard change stored, the
// shared instance outliving a pop).
#include "BlockedFolder.h"
#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/favourites/EditFavoriteListViewController.h"
#include "screens/favourites/FavoriteComposeViewController.h"
#include "screens/favourites/FavoriteDisplaySettingsView.h"
#include "screens/favourites/FavoriteDisplaySettingsViewController.h"
#include "screens/favourites/WatchSettingsControls.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "watch/WatchSettings.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

void storeFilters(const QStringList& filters)
{
    SettingsStore::standard().setStringArray(SettingsKeys::filters, filters);
    SettingsStore::standard().synchronize();
}

QStringList storedFilters()
{
    return SettingsStore::standard().stringArrayForKey(SettingsKeys::filters).value_or(QStringList());
}

QString storedCount()
{
    return SettingsStore::standard().stringForKey(SettingsKeys::favoritesCount);
}

QStringList rowTexts(TableView* table)
{
    QStringList texts;
    for (int row = 0; row < table->numberOfRowsInSection(0); ++row) {
        TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(row));
        auto* label = cell ? cell->contentView()->findChild<Label*>(QStringLiteral("name")) : nullptr;
        texts.append(label ? label->text() : QStringLiteral("<no label>"));
    }
    return texts;
}

void click(QWidget* widget)
{
    QVERIFY(widget);
    QTRY_VERIFY(widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Types a text as the keyboard would, into an empty field.
void type(TextField* field, const QString& text)
{
    field->clear();
    field->setFocus();
    QTest::keyClicks(field, text);
}

} // namespace

class TestFavoriteScreens : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<NavigationController> m_nav;

    // A navigation stack on display with the filter list pushed onto it.
    EditFavoriteListViewController* pushFilterList()
    {
        auto* list = new EditFavoriteListViewController;
        m_nav->pushViewController(list, false);
        return list;
    }

    FavoriteComposeViewController* form(EditFavoriteListViewController* list)
    {
        return qobject_cast<FavoriteComposeViewController*>(list->modalViewController());
    }

    // The one alert on screen, dismissed: its title and message; empty when none came.
    QStringList takeAlert()
    {
        if (!QTest::qWaitFor([] { return AlertView::visibleAlerts().size() == 1; }))
            return {};
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        const QStringList texts{alert->title(), alert->message()};
        alert->dismissWithClickedButtonIndex(0, false);
        if (!QTest::qWaitFor([] { return AlertView::visibleAlerts().isEmpty(); }))
            return {};
        return texts;
    }

    void save(QWidget* view, const QString& name)
    {
        QVERIFY(saveTestPicture(view->grab().toImage(), name));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        m_nav = std::make_unique<NavigationController>(new ViewController);
        m_nav->view()->resize(320, 480);
        m_nav->view()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_nav->view()));
        m_nav->beginAppearance(true, false);
        m_nav->endAppearance(false);
    }

    void cleanup()
    {
        m_nav.reset();
        FavoriteDisplaySettingsViewController::resetSharedInstanceForTests();
    }

    // Deleting the second of three leaves the first and third, in the table and the store;
    // the plus button's form adds a filter after them.
    void deleteTheSecondAndAddOne()
    {
        storeFilters({QStringLiteral("Linux"), QStringLiteral("BSD"), QStringLiteral("Fedora")});
        EditFavoriteListViewController* list = pushFilterList();
        QCOMPARE(list->title(), QStringLiteral("Favorite filters"));
        QCOMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "BSD", "Fedora"}));

        list->commitEditingStyle(list->tableView(), TableViewCellEditingStyle::Delete, IndexPath::forRow(1));
        QCOMPARE(storedFilters(), (QStringList{"Linux", "Fedora"}));
        QTRY_COMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "Fedora"}));
        QVERIFY(!form(list)); // filters stored: no form of its own accord

        click(qobject_cast<QWidget*>(list->navigationItem()->rightView()));
        QTRY_VERIFY(form(list));
        type(form(list)->newItem(), QStringLiteral("Linux|BSD"));
        // Return in the field adds it, as the button does.
        QTest::keyClick(form(list)->newItem(), Qt::Key_Return);
        QCOMPARE(storedFilters(), (QStringList{"Linux", "Fedora", "Linux|BSD"}));
        QTRY_VERIFY(!form(list));
        QCOMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "Fedora", "Linux|BSD"}));
        save(m_nav->view(), QStringLiteral("favorite-filters.png"));
    }

    // The form's send switch is stored beside the filters, whose array keeps its form; the
    // list's rows show it and turn it; the filter deleted, its switch goes with it.
    void sendSwitchIsStoredBesideTheFilter()
    {
        storeFilters({QStringLiteral("Linux")});
        const QString longFilter = QStringLiteral("Debian|Ubuntu|Fedora|Arch|Gentoo|Slackware|Mint|Manjaro");
        EditFavoriteListViewController* list = pushFilterList();
        click(qobject_cast<QWidget*>(list->navigationItem()->rightView()));
        QTRY_VERIFY(form(list));
        QVERIFY(!form(list)->sendsAutomatically());
        type(form(list)->newItem(), QStringLiteral("BSD"));
        QTest::mouseClick(form(list)->sendSwitch(), Qt::LeftButton);
        save(form(list)->view(), QStringLiteral("favorite-compose-send.png"));
        click(form(list)->addButton());
        QTRY_VERIFY(!form(list));
        QCOMPARE(SettingsStore::standard().stringArrayForKey(SettingsKeys::filters), (QStringList{"Linux", "BSD"}));
        QCOMPARE(WatchSettings::autoSendFilters(), QStringList{"BSD"});

        // Each row carries its filter's switch, as stored, and turning it stores it.
        const auto rowSwitch = [list](int row) {
            TableViewCell* cell = list->tableView()->cellForRowAtIndexPath(IndexPath::forRow(row));
            return cell ? qobject_cast<Switch*>(cell->accessoryView()) : nullptr;
        };
        QTRY_VERIFY(rowSwitch(0) && rowSwitch(1));
        QVERIFY(!rowSwitch(0)->isOn());
        QVERIFY(rowSwitch(1)->isOn());
        QCOMPARE(rowSwitch(0)->accessibleName(), QStringLiteral("Send new ones of Linux to my client"));
        // A long pattern's text ends before the switch.
        storeFilters({QStringLiteral("Linux"), QStringLiteral("BSD"), longFilter});
        list->reloadFilters();
        QTRY_VERIFY(rowSwitch(2));
        TableViewCell* longRow = list->tableView()->cellForRowAtIndexPath(IndexPath::forRow(2));
        const Label* longText = longRow->findChild<Label*>(QStringLiteral("name"));
        QVERIFY(longText->mapTo(longRow, QPoint(longText->width(), 0)).x() <= rowSwitch(2)->x());
        save(m_nav->view(), QStringLiteral("favorite-filters-send.png"));
        QTest::mouseClick(rowSwitch(0), Qt::LeftButton);
        QCOMPARE(WatchSettings::autoSendFilters(), (QStringList{"BSD", "Linux"}));
        QTest::mouseClick(rowSwitch(1), Qt::LeftButton);
        QCOMPARE(WatchSettings::autoSendFilters(), QStringList{"Linux"});

        list->commitEditingStyle(list->tableView(), TableViewCellEditingStyle::Delete, IndexPath::forRow(0));
        QVERIFY(WatchSettings::autoSendFilters().isEmpty());
    }

    // An empty filter stored by an earlier version shows what it does (nothing), not a blank row.
    void storedEmptyFilterShown()
    {
        storeFilters({QStringLiteral("Linux"), QString()});
        EditFavoriteListViewController* list = pushFilterList();
        QCOMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "(empty filter: matches nothing)"}));
    }

    // An empty list opens the form at once; cancelling it leaves the list empty, with no
    // second form. A text that is not a pattern is refused, with the reason, until mended.
    void emptyListOpensTheFormAndInvalidPatternsAreRefused()
    {
        EditFavoriteListViewController* list = pushFilterList();
        QTRY_VERIFY(form(list));
        QPointer<FavoriteComposeViewController> first = form(list);
        click(first->cancelButton());
        QTRY_VERIFY(!first); // dismissed and let go
        QCoreApplication::processEvents();
        QVERIFY(!form(list));
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 0);
        QVERIFY(storedFilters().isEmpty());

        click(qobject_cast<QWidget*>(list->navigationItem()->rightView()));
        QTRY_VERIFY(form(list));
        FavoriteComposeViewController* compose = form(list);
        // Nothing typed (or only spaces) is refused, by the button and by Return alike.
        type(compose->newItem(), QString());
        click(compose->addButton());
        QCOMPARE(compose->errorLabel()->text(), QStringLiteral("Type a name or a pattern to look for."));
        type(compose->newItem(), QStringLiteral("  "));
        QTest::keyClick(compose->newItem(), Qt::Key_Return);
        QCOMPARE(compose->errorLabel()->text(), QStringLiteral("Type a name or a pattern to look for."));
        QCOMPARE(form(list), compose);
        QVERIFY(storedFilters().isEmpty());

        type(compose->newItem(), QStringLiteral("Linux|(BSD"));
        click(compose->addButton());
        QCOMPARE(compose->errorLabel()->text(), QStringLiteral("Not a valid pattern: unbalanced parenthesis, at character 10."));
        QCOMPARE(form(list), compose);
        QVERIFY(storedFilters().isEmpty());
        save(compose->view(), QStringLiteral("favorite-compose-refused.png"));

        QTest::keyClicks(compose->newItem(), QStringLiteral(")"));
        QVERIFY(compose->errorLabel()->text().isEmpty());
        click(compose->addButton());
        QCOMPARE(storedFilters(), QStringList{QStringLiteral("Linux|(BSD)")});
        QTRY_VERIFY(!form(list));
    }

    // The settings folder becomes a file (which stops root too): deleting a filter keeps its
    // row and says why; adding one keeps the form open with the reason and the text typed;
    // a count is said not to be saved. At the next start the filters are as they were.
    void writesThatCannotBeSavedAreSaid()
    {
        const QString folder = m_dir.filePath(QStringLiteral("blocked%1").arg(m_files));
        const QString file = folder + QStringLiteral("/s.ini");
        SettingsStore::setStandardPath(file);
        storeFilters({QStringLiteral("Linux"), QStringLiteral("BSD")});
        EditFavoriteListViewController* list = pushFilterList();
        BlockedFolder blocked(folder);
        QVERIFY(blocked.isBlocked());

        list->commitEditingStyle(list->tableView(), TableViewCellEditingStyle::Delete, IndexPath::forRow(1));
        const QStringList alert = takeAlert();
        QCOMPARE(alert.value(0), SettingsSaveAlert::kTitle);
        QVERIFY2(alert.value(1).startsWith(QStringLiteral("Could not save the settings: ")) && alert.value(1).contains(folder),
                 qPrintable(alert.value(1)));
        QCOMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "BSD"}));
        QCOMPARE(storedFilters(), (QStringList{"Linux", "BSD"}));

        click(qobject_cast<QWidget*>(list->navigationItem()->rightView()));
        QTRY_VERIFY(form(list));
        FavoriteComposeViewController* compose = form(list);
        type(compose->newItem(), QStringLiteral("Fedora"));
        click(compose->addButton());
        QCOMPARE(compose->errorLabel()->text(), alert.value(1));
        QCOMPARE(form(list), compose);
        QCOMPARE(compose->newItem()->text(), QStringLiteral("Fedora"));
        QCOMPARE(rowTexts(list->tableView()), (QStringList{"Linux", "BSD"}));
        save(compose->view(), QStringLiteral("favorite-compose-not-saved.png"));
        click(compose->cancelButton());
        QTRY_VERIFY(!form(list));

        FavoriteDisplaySettingsViewController* counts = FavoriteDisplaySettingsViewController::sharedInstance();
        counts->didUpdateFavoritesCount(counts->infoView(), QStringLiteral("9"));
        QCOMPARE(takeAlert(), (QStringList{SettingsSaveAlert::kTitle, alert.value(1)}));

        blocked.restore();
        QCOMPARE(SettingsStore(file).stringArrayForKey(SettingsKeys::filters), (QStringList{"Linux", "BSD"}));
    }

    // On an empty store the count screen shows "5"; counts outside the slider's range are
    // shown (and used) as its nearest end.
    void storedCountShown_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing stored") << QString() << "5";
        QTest::newRow("within range") << "12" << "12";
        QTest::newRow("below the range") << "0" << "1";
        QTest::newRow("not a number") << "many" << "1";
        QTest::newRow("above the range") << "99" << "20";
    }

    void storedCountShown()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        if (!stored.isNull())
            Settings::setFavoritesCount(stored);
        FavoriteDisplaySettingsViewController* screen = FavoriteDisplaySettingsViewController::sharedInstance();
        QCOMPARE(screen->infoView()->favoritesCountValue()->text(), shown);
        QCOMPARE(screen->infoView()->favoritesCountSlider()->value(), shown.toFloat());
        QCOMPARE(FavoriteDisplaySettingsViewController::storedCount(), shown.toInt());
        QCOMPARE(storedCount(), stored); // read, not written back
    }

    // Every finished change is stored, the first one too: a drag let go once, then the arrow
    // key.
    void everyFinishedChangeIsStored()
    {
        FavoriteDisplaySettingsViewController* screen = FavoriteDisplaySettingsViewController::sharedInstance();
        m_nav->pushViewController(screen, false);
        QCOMPARE(screen->title(), QStringLiteral("Favorites Display Settings"));
        Slider* slider = screen->infoView()->favoritesCountSlider();
        Label* value = screen->infoView()->favoritesCountValue();
        QTRY_VERIFY(slider->isVisible());
        const int y = slider->height() / 2;

        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(int(slider->xForValue(5)), y));
        QTest::mouseMove(slider, QPoint(int(slider->xForValue(12)), y));
        QCOMPARE(value->text(), QStringLiteral("12"));
        QVERIFY(storedCount().isNull()); // not while it moves
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(int(slider->xForValue(12)), y));
        QCOMPARE(storedCount(), QStringLiteral("12"));
        QCOMPARE(slider->value(), 12.0f);
        save(m_nav->view(), QStringLiteral("favorites-display-settings.png"));

        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(value->text(), QStringLiteral("11"));
        QCOMPARE(storedCount(), QStringLiteral("11"));
    }

    // The watch's switch and interval under the page count: they show what is stored, and a
    // tap or a drag let go stores the new value, the interval in steps of 15 minutes.
    void watchSwitchAndIntervalAreStored()
    {
        SettingsStore::standard().setString(WatchSettings::kIntervalKey, QStringLiteral("400"));
        FavoriteDisplaySettingsViewController* screen = FavoriteDisplaySettingsViewController::sharedInstance();
        m_nav->pushViewController(screen, false);
        WatchSettingsControls* controls = screen->infoView()->watchControls();
        QVERIFY(controls && controls->watchSwitch() && controls->intervalSlider());
        QTRY_VERIFY(controls->intervalSlider()->isVisible());
        QVERIFY(!controls->watchSwitch()->isOn());
        QCOMPARE(controls->intervalValue()->text(), QStringLiteral("4 h")); // a stored 400 is read as 240

        QTest::mouseClick(controls->watchSwitch(), Qt::LeftButton);
        QVERIFY(WatchSettings::isEnabled());
        QVERIFY(controls->watchSwitch()->isOn());

        Slider* slider = controls->intervalSlider();
        const int y = slider->height() / 2;
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(int(slider->xForValue(240)), y));
        QTest::mouseMove(slider, QPoint(int(slider->xForValue(104)), y));
        QCOMPARE(controls->intervalValue()->text(), QStringLiteral("1 h 45 min"));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(int(slider->xForValue(104)), y));
        QCOMPARE(WatchSettings::interval(), 105);
        QCOMPARE(slider->value(), 105.0f);
        save(m_nav->view(), QStringLiteral("favorites-display-settings-watch.png"));
    }

    // Popped, the shared screen lives on, with its slider where it was left.
    void sharedScreenSurvivesPop()
    {
        QPointer<FavoriteDisplaySettingsViewController> screen = FavoriteDisplaySettingsViewController::sharedInstance();
        screen->infoView()->setCount(7);
        for (int visit = 0; visit < 2; ++visit) {
            m_nav->pushViewController(screen, false);
            QVERIFY(!m_nav->isNavigationBarHidden());
            click(qobject_cast<QWidget*>(screen->navigationItem()->leftView()));
            QTRY_COMPARE(m_nav->viewControllers().size(), 1);
            QTRY_VERIFY(!screen->view()->parentWidget());
            QVERIFY(screen);
        }
        m_nav.reset();
        QVERIFY(screen);
        QCOMPARE(screen.data(), FavoriteDisplaySettingsViewController::sharedInstance());
        screen->view();
        QCOMPARE(screen->infoView()->favoritesCountValue()->text(), QStringLiteral("7"));
    }
};

QTEST_MAIN(TestFavoriteScreens)
#include "tst_favoritescreens.moc"
