// The screens as they stand in the tab bar, on every layout: what a user reads or touches is
// neither off the screen nor under the header's drawn band, the navigation bar or the tab
// bar: the lists' first row, the display settings' picker as the screen opens, and the
// details toolbar's buttons, all at one height in the bar.
#include "../common/PageTestHelpers.h"
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TableView.h"
#include "screens/common/AllListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "screens/settings/SearchDisplaySettingsViewController.h"
#include "views/HeaderView.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace PageTestHelpers;

namespace {

QRect inWindow(QWidget* widget, QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint()), widget->size());
}

} // namespace

class TestScreenBounds : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<AllListViewController> m_list;
    QPointer<SearchListViewController> m_search;

    void show(const QString& layout)
    {
        Device::Kind kind = Device::Kind::Phone;
        QVERIFY(Device::kindFromName(layout, &kind));
        Device::setKind(kind);
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        m_window = std::make_unique<Window>();
        m_list = new AllListViewController;
        m_search = new SearchListViewController;
        m_tabs = showTabs(m_window.get(), {m_list, m_search});
        QTRY_VERIFY_WITH_TIMEOUT(m_list->torrentData() && tabsEnabled(m_tabs), kWait);
    }

    // The screen's area between the bars, in the window.
    QRect between(NavigationController* navigation) const
    {
        const int top = navigation->isNavigationBarHidden() ? 0 : navigation->navigationBar()->height();
        const QRect bar = inWindow(m_tabs->tabBar(), m_window.get());
        return QRect(0, top, m_window->width(), bar.top() - top);
    }

    static void addLayouts()
    {
        QTest::addColumn<QString>("layout");
        for (const char* layout : {"phone", "phone-568", "tablet"})
            QTest::newRow(layout) << QString::fromLatin1(layout);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
    }

    void cleanup()
    {
        delete m_tabs;
        m_window.reset();
        Device::setKind(Device::Kind::Phone);
    }

    void cleanupTestCase() { m_site.stop(); }

    // The header draws its top 45 points over the list: the first row (and the search bar)
    // starts below them, within the screen above the tab bar.
    void firstRowBelowTheHeader_data() { addLayouts(); }
    void firstRowBelowTheHeader()
    {
        QFETCH(QString, layout);
        show(layout);
        for (AllListViewController* list : {static_cast<AllListViewController*>(m_list.data()), static_cast<AllListViewController*>(m_search.data())}) {
            m_tabs->setSelectedIndex(list == m_list ? 0 : 1);
            QTRY_VERIFY_WITH_TIMEOUT(list->view()->isVisible(), kWait);
            QWidget* window = m_window.get();
            const QRect header = inWindow(list->view()->findChild<HeaderView*>(), window);
            const int band = header.top() + HeaderView::kTouchHeight;
            // The table scrolled to its top shows its first row at its own top.
            TableView* table = list->tableView();
            const QRect shown = inWindow(table, window);
            QVERIFY2(shown.top() >= band, qPrintable(QStringLiteral("rows from %1, band to %2").arg(shown.top()).arg(band)));
            QVERIFY(shown.top() + AllListViewController::kRowHeight <= inWindow(m_tabs->tabBar(), window).top());
            for (QWidget* bar : list->view()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (bar != table && bar->inherits("SearchBar"))
                    QVERIFY(inWindow(bar, window).top() >= band);
            }
            saveTestPicture(window->grab().toImage(),
                            QStringLiteral("bounds-%1-%2.png").arg(list == m_list ? "list" : "search", layout));
        }
    }

    // The display settings of the recent list and of the search: the whole picker shows
    // between the navigation bar and the tab bar as the screen opens, without scrolling.
    void settingsPickerShowsWhole_data() { addLayouts(); }
    void settingsPickerShowsWhole()
    {
        QFETCH(QString, layout);
        show(layout);
        for (int tab : {0, 1}) {
            m_tabs->setSelectedIndex(tab);
            NavigationController* navigation = (tab == 0 ? static_cast<AllListViewController*>(m_list) : m_search)->navigationController();
            ViewController* settings = tab == 0 ? static_cast<ViewController*>(DisplaySettingsViewController::sharedInstance())
                                                : SearchDisplaySettingsViewController::sharedInstance();
            navigation->pushViewController(settings, false);
            QTRY_VERIFY_WITH_TIMEOUT(settings->view()->isVisible()
                                         && settings->view()->mapTo(m_window.get(), QPoint()).x() == 0, kWait);
            const QRect area = between(navigation);
            auto* pickerView = settings->view()->findChild<PickerView*>();
            QVERIFY(pickerView);
            const QRect picker = inWindow(pickerView, m_window.get());
            QVERIFY2(area.contains(picker), qPrintable(QStringLiteral("picker %1..%2, screen %3..%4")
                                                         .arg(picker.top()).arg(picker.bottom()).arg(area.top()).arg(area.bottom())));
            // Nothing else of the screen's content crosses the picker.
            for (QWidget* other : pickerView->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (other != pickerView && other->isVisible())
                    QVERIFY2(!inWindow(other, m_window.get()).intersects(picker), qPrintable(other->objectName()));
            }
            saveTestPicture(m_window->grab().toImage(), QStringLiteral("bounds-settings-%1-%2.png").arg(tab).arg(layout));
            navigation->popViewControllerAnimated(false);
        }
    }

    // The details toolbar (of a torrent with a film link): back and previous on the left, film,
    // next and download on the right, all at one height, centred on the bar, none on another.
    void detailsToolbarStandsLevel()
    {
        show(QStringLiteral("phone"));
        m_list->didSelectRowAtIndexPath(m_list->tableView(), IndexPath::forRow(0));
        auto* details = qobject_cast<TorrentWebViewController*>(m_list->navigationController()->topViewController());
        QVERIFY(details);
        QTRY_VERIFY_WITH_TIMEOUT(details->navigationItem()->rightView() && details->navigationItem()->rightView()->isVisible(), kWait);
        QVERIFY(details->imdbButton());
        NavigationBar* bar = m_list->navigationController()->navigationBar();
        QList<Button*> buttons = details->navigationItem()->leftView()->findChildren<Button*>();
        buttons += details->navigationItem()->rightView()->findChildren<Button*>();
        QVERIFY(buttons.size() >= 4);
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const QRect box(buttons[i]->mapTo(bar, QPoint()), buttons[i]->size());
            QCOMPARE(box.y(), (bar->height() - box.height()) / 2);
            QVERIFY2(box.left() >= 0 && box.right() < bar->width(), qPrintable(buttons[i]->objectName()));
            for (qsizetype j = i + 1; j < buttons.size(); ++j) {
                QVERIFY2(!box.intersects(QRect(buttons[j]->mapTo(bar, QPoint()), buttons[j]->size())),
                         qPrintable(buttons[i]->objectName() + QStringLiteral(" on ") + buttons[j]->objectName()));
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(details->view()->mapTo(m_window.get(), QPoint()).x(), 0, kWait);
        saveTestPicture(m_window->grab().toImage(), QStringLiteral("bounds-details-toolbar.png"));
    }
};

QTEST_MAIN(TestScreenBounds)
#include "tst_screenbounds.moc"
