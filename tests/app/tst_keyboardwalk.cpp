// The whole app by keyboard alone, against the demo site on loopback: sign in, dismiss the
// notice, open the recent list, walk to row 30, open its details, send it to the remote
// client, go back, open the display settings, change the order and go back. Every step is a
// key event sent where the focus is; nothing is clicked or called on a screen.
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "UtorrentStandIn.h"

#include "TestPictures.h"
#include "app/SwitchViewController.h"
#include "app/iTarnvaleAppDelegate.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BackButton.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "remote/ServerInfo.h"
#include "screens/common/AllListViewController.h"
#include "screens/login/LoginViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "views/HeaderView.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

constexpr int kWait = 20000;

QWidget* focused()
{
    return QApplication::focusWidget();
}

void key(Qt::Key k)
{
    QWidget* target = focused() ? focused() : QApplication::activeWindow();
    QVERIFY2(target, "no widget to take the key");
    QTest::keyClick(target, k);
}

WebView* webViewHolding(QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<WebView*>(widget))
            return view;
    }
    return nullptr;
}

// Which element of the page has the focus, as the page's renderer answers.
QString pageFocus(WebView* view)
{
    QString answer;
    bool answered = false;
    view->stringByEvaluatingJavaScriptFromString(
        QStringLiteral("(function(){var e=document.activeElement;var all=document.getElementsByTagName('*');"
                       "for(var i=0;i<all.length;++i)if(all[i]===e)return String(i);return '';})()"),
        [&](const QString& text) {
            answer = text;
            answered = true;
        });
    if (!QTest::qWaitFor([&] { return answered; }, kWait))
        return QStringLiteral("(no answer)");
    return answer;
}

// Tab inside a web page is the renderer's: it walks the page's links and then hands the focus
// back. Each press is waited for until the page's focus has moved or left it.
bool pressTab()
{
    QWidget* from = focused() ? focused() : QApplication::activeWindow();
    WebView* page = webViewHolding(from);
    const QString before = page ? pageFocus(page) : QString();
    QTest::keyClick(from, Qt::Key_Tab);
    return !page || QTest::qWaitFor([&] { return webViewHolding(focused()) != page || pageFocus(page) != before; }, kWait);
}

// Presses Tab until the focus is on a widget `wanted` accepts; false after a whole round.
bool tabTo(const std::function<bool(QWidget*)>& wanted)
{
    for (int i = 0; i < 200; ++i) {
        if (focused() && wanted(focused()))
            return true;
        if (!pressTab())
            return false;
    }
    return focused() && wanted(focused());
}

bool tabTo(QWidget* widget)
{
    return tabTo([widget](QWidget* w) { return w == widget; });
}

// The way back: the navigation bar's back button, or the details toolbar's.
bool tabToBack()
{
    return tabTo([](QWidget* w) {
        return qobject_cast<BackButton*>(w) || w->objectName() == QLatin1String("backButton");
    });
}

} // namespace

class TestKeyboardWalk : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    DemoSite m_site;
    UtorrentStandIn m_client{QStringLiteral("walker"), QStringLiteral("secret")};
    std::unique_ptr<Window> m_window;
    std::unique_ptr<iTarnvaleAppDelegate> m_app;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        DemoSiteSetup::forgetSignIn(m_site);
        QVERIFY(m_client.start());
        ServerInfo& info = ServerInfo::sharedInstance();
        QVERIFY(info.setClient(QStringLiteral("Utorrent")).isSaved());
        QVERIFY(info.setAddress(UtorrentStandIn::address()).isSaved());
        QVERIFY(info.setPort(QString::number(m_client.port())).isSaved());
        QVERIFY(info.setUsername(QStringLiteral("walker")).isSaved());
        QVERIFY(info.setPassword(QStringLiteral("secret")).isSaved());
    }

    void cleanupTestCase()
    {
        for (AlertView* alert : AlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndex(0, false);
        m_app.reset();
        m_window.reset();
        m_client.stop();
        m_site.stop();
    }

    void signInWalkSendAndReorderByKeys()
    {
        m_window = std::make_unique<Window>();
        m_app = std::make_unique<iTarnvaleAppDelegate>();
        m_app->launch(m_window.get());
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        SwitchViewController* shell = m_app->viewController();
        LoginViewController* login = shell->loginViewController();
        QVERIFY(login);

        // Sign in: the name, Tab, the password, Return; the notice's button by Return.
        QVERIFY(tabTo(static_cast<QWidget*>(login->username())));
        QTest::keyClicks(focused(), QString::fromLatin1(DemoSite::kDemoUsername));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget*>(login->password()));
        QTest::keyClicks(focused(), QString::fromLatin1(DemoSite::kDemoPassword));
        key(Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([] { return !AlertView::visibleAlerts().isEmpty(); }, kWait));
        AlertView* notice = AlertView::visibleAlerts().constLast();
        QTRY_VERIFY(notice->overlay() && notice->overlay()->isAncestorOf(focused()));
        key(Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(shell->showLogin(), kWait);

        // The recent list: Tab reaches its table, the arrows walk to row 30, Return opens it.
        TabBarController* tabs = shell->tabBarController();
        auto* navigation = qobject_cast<NavigationController*>(tabs->viewControllers().constFirst());
        QVERIFY(navigation);
        auto* all = qobject_cast<AllListViewController*>(navigation->viewControllers().constFirst());
        QVERIFY(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        QTRY_VERIFY(tabs->tabBar()->isEnabled());
        QVERIFY(tabTo(static_cast<QWidget*>(all->tableView())));
        // Tab's ring lands on the first row; 29 steps down is the thirtieth.
        for (int i = 0; i < 29; ++i)
            key(Qt::Key_Down);
        QVERIFY(all->tableView()->indexPathForSelectedRow());
        QCOMPARE(all->tableView()->indexPathForSelectedRow()->row, 29);
        const QString name = all->torrentData()->at(29).name();
        key(Qt::Key_Return);
        QTRY_VERIFY(qobject_cast<TorrentWebViewController*>(navigation->topViewController()));
        auto* details = qobject_cast<TorrentWebViewController*>(navigation->topViewController());
        QCOMPARE(details->tag(), 29);
        QTRY_VERIFY(!all->view()->isVisible()); // the slide is over

        // Send it from the details page's toolbar, then back.
        QVERIFY(tabTo(static_cast<QWidget*>(details->downloadButton())));
        key(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(m_client.torrentNames().size() == 1, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->at(29).isDownloaded(), kWait);
        QVERIFY(tabToBack());
        key(Qt::Key_Space);
        QTRY_COMPARE(navigation->topViewController(), all);

        // The display settings by the header's gear; the order's next segment; back.
        QVERIFY(tabTo(static_cast<QWidget*>(all->headerView()->settingsBtn())));
        key(Qt::Key_Return);
        auto* settings = DisplaySettingsViewController::sharedInstance();
        QTRY_COMPARE(navigation->topViewController(), settings);
        QTRY_VERIFY(!all->view()->isVisible());
        SegmentedControl* order = settings->orderControl();
        const int before = order->selectedSegmentIndex();
        QVERIFY(tabTo([order](QWidget* w) { return w->parentWidget() == order; }));
        key(Qt::Key_Right);
        QCOMPARE(order->selectedSegmentIndex(), before + 1);
        QCOMPARE(Settings::orderBy(), SettingsStore(m_dir.filePath(QStringLiteral("settings.ini")))
                                          .stringForKey(SettingsKeys::orderBy));
        QVERIFY(!Settings::orderBy().isEmpty());
        QVERIFY(saveTestPicture(m_window->grab().toImage(), QStringLiteral("keyboard-walk-settings.png")));
        QVERIFY(tabToBack());
        key(Qt::Key_Space);
        QTRY_COMPARE(navigation->topViewController(), all);
    }
};

QTEST_MAIN(TestKeyboardWalk)
#include "tst_keyboardwalk.moc"
