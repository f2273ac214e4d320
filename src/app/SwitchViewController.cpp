#include "app/SwitchViewController.h"

#include "app/FavoritesWatch.h"
#include "platform/core/CookieStore.h"
#include "platform/core/MainThread.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Window.h"
#include "screens/common/AllListViewController.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/community/ForumWebViewController.h"
#include "screens/community/FriendsListViewController.h"
#include "screens/community/SnatchListViewController.h"
#include "screens/favourites/FavoriteListViewController.h"
#include "screens/lists/HistoryListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "screens/login/LoginViewController.h"
#include "screens/login/LogoutViewController.h"
#include "screens/pages/SiteWebViewController.h"
#include "screens/remote/ClientWebViewController.h"
#include "screens/remote/DownloadsViewController.h"
#include "screens/remote/ServerSettingsViewController.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "site/HttpRequest.h"
#include "site/PagePrefetch.h"
#include "site/SiteHosts.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QWidget>

namespace {

// A cookie's domain never carries a port, while a configured host may ("127.0.0.1:8443").
QString withoutPort(const QString& host)
{
    static const QRegularExpression port(QStringLiteral(":\\d*$"));
    QString bare = host;
    bare.remove(port);
    return bare.toLower();
}

NavigationController* blackNavigation(ViewController* root, QObject* parent = nullptr)
{
    auto* navigation = new NavigationController(nullptr, parent);
    navigation->pushViewController(root, false);
    navigation->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);
    return navigation;
}

} // namespace

SwitchViewController::SwitchViewController(Window* window, QObject* parent)
    : ViewController(parent)
    , m_window(window)
{
}

SwitchViewController::~SwitchViewController()
{
    if (SessionKeeper::instance() == this)
        SessionKeeper::setInstance(nullptr);
    if (AlertPresenter::instance() == this)
        AlertPresenter::setInstance(nullptr);
}

Window* SwitchViewController::window() const
{
    return m_window;
}

LoginViewController* SwitchViewController::loginViewController() const
{
    return m_loginViewController;
}

NavigationController* SwitchViewController::snatchListNavigationController() const
{
    return m_snatchList;
}

NavigationController* SwitchViewController::friendsNavigationController() const
{
    return m_friends;
}

void SwitchViewController::viewDidLoad()
{
    setSessionValidated(true);
    setShowLogin(false);
    loadLoginView();
    if (m_loginViewController && Settings::automaticLogin())
        prefetchFirstPage();
    if (m_loginViewController)
        m_loginViewController->tryAutoLogin();
}

void SwitchViewController::prefetchFirstPage()
{
    // The recent list's first page goes out beside the session check when that list will be
    // the first screen after the automatic sign-in: on a real link its rows then come one
    // exchange sooner. Another remembered tab would not use it.
    if (SettingsStore::standard().contains(SettingsKeys::tab) && Settings::tab() != 0)
        return;
    PagePrefetch::start(Settings::recentListingQuery().url(1));
}

void SwitchViewController::loadLoginView()
{
    auto* fresh = new LoginViewController(this, this);
    LoginViewController* previous = nullptr;
    {
        QMutexLocker locker(&m_loginLock);
        previous = m_loginViewController;
        m_loginViewController = fresh;
    }
    QWidget* holder = view();
    const bool onDisplay = isAppearing();
    if (previous) {
        if (previous->view()->parentWidget() == holder) {
            if (onDisplay)
                previous->beginAppearance(false, false);
            previous->view()->hide();
            previous->view()->setParent(nullptr);
            if (onDisplay)
                previous->endAppearance(false);
        }
        // Later: a renewal's sign-in may still be delivering through it on a worker.
        previous->deleteLater();
    }
    QWidget* loginView = fresh->view();
    if (onDisplay)
        fresh->beginAppearance(true, false);
    loginView->setParent(holder);
    loginView->setGeometry(holder->rect());
    loginView->lower();
    loginView->show();
    if (onDisplay)
        fresh->endAppearance(false);
    holder->clearFocus();
}

void SwitchViewController::switchViews()
{
    if (!m_window)
        return;
    if (showLogin()) {
        loadLoginView();
        if (m_tabBarController)
            m_window->removeSubview(m_tabBarController->view());
        m_window->addSubview(view());
        m_window->makeKeyAndVisible();
        view()->show();
        setShowLogin(false);
        return;
    }

    if (!m_tabBarController)
        buildTabBar();
    if (LoginViewController* login = embeddedLogin()) {
        const bool onDisplay = isAppearing();
        if (onDisplay)
            login->beginAppearance(false, false);
        login->view()->hide();
        login->view()->setParent(nullptr);
        if (onDisplay)
            login->endAppearance(false);
    }
    m_window->addSubview(m_tabBarController->view());
    m_window->makeKeyAndVisible();
    m_window->removeSubview(view());
    view()->hide();
    setShowLogin(true);
    setSessionValidated(true);
    Q_EMIT tabBarShown();
}

void SwitchViewController::buildTabBar()
{
    auto* all = new AllListViewController(TableViewStyle::Plain);
    auto* favorites = new FavoriteListViewController(TableViewStyle::Plain);
    auto* search = new SearchListViewController(TableViewStyle::Plain);
    auto* history = new HistoryListViewController(TableViewStyle::Plain);
    auto* forum = new ForumWebViewController(QUrl(), all);
    auto* remoteUi = new ClientWebViewController(QUrl(), all);
    auto* remoteSettings = new ServerSettingsViewController;
    auto* site = new SiteWebViewController(QUrl(), all);
    auto* logout = new LogoutViewController(TableViewStyle::Plain);
    logout->setSessionSwitch(this);

    // The snatch list, friends and the client's downloads have no tab of the nine: they follow them in the "More"
    // list, so the nine keep their indexes (and a remembered tab its meaning).
    m_snatchList = blackNavigation(new SnatchListViewController(TableViewStyle::Plain));
    m_friends = blackNavigation(new FriendsListViewController(TableViewStyle::Plain));
    const QList<ViewController*> tabs = {
        blackNavigation(all),      blackNavigation(favorites),      blackNavigation(search),
        history,                   blackNavigation(forum),          blackNavigation(remoteUi),
        blackNavigation(remoteSettings), blackNavigation(site),     blackNavigation(logout),
        m_snatchList,              m_friends,
        blackNavigation(new DownloadsViewController),
    };

    m_tabBarController = new TabBarController(this);
    m_tabBarController->setViewControllers(tabs);
    m_tabBarController->setDelegate(this);

    // The remembered tab, read as an unsigned index; one that names no tab (a value from
    // another build, or the "More" list's own "none") leaves the first tab selected.
    if (SettingsStore::standard().contains(SettingsKeys::tab)) {
        const uint index = uint(Settings::tab());
        if (index < uint(tabs.size()))
            m_tabBarController->setSelectedIndex(int(index));
    }
    m_tabBarController->moreNavigationController()->navigationBar()->setBarStyle(
        NavigationBar::BarStyle::Black);
    m_tabBarController->setTintColor(Qt::white);
    m_tabBarController->setBarTintColor(Qt::black);

    m_favoritesWatch = new FavoritesWatch([this] { return showLogin(); }, [this] { openFavorites(); }, this);
}

FavoritesWatch* SwitchViewController::favoritesWatch() const
{
    return m_favoritesWatch;
}

void SwitchViewController::openFavorites()
{
    if (!m_tabBarController || !showLogin())
        return;
    m_tabBarController->setSelectedIndex(kFavoritesTab);
    if (m_window) {
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
}

void SwitchViewController::logout()
{
    const QString domains[] = {
        withoutPort(SiteHosts::siteCookieDomain()),
        withoutPort(SiteHosts::captchaCookieDomain()),
        withoutPort(SiteHosts::webHost()),
    };
    CookieStore::shared().deleteCookies([&domains](const Cookie& cookie) {
        const QString domain = cookie.domain.toLower();
        return std::find(std::begin(domains), std::end(domains), domain) != std::end(domains);
    });
    switchViews();
}

void SwitchViewController::startRenewal()
{
    // On the worker that saw the sign-in page. The lock keeps the login screen from being
    // replaced while it queues the sign-in; its answer comes back on that operation's thread.
    QMutexLocker locker(&m_loginLock);
    if (!m_loginViewController) {
        setSessionValidated(true); // nothing to sign in with: let the requests try again
        return;
    }
    m_loginViewController->doLogin(
        nullptr, Callback<std::shared_ptr<HttpRequest>>(this, &SwitchViewController::sessionInvalidatedResponse),
        true);
}

void SwitchViewController::sessionInvalidatedResponse(std::shared_ptr<HttpRequest> request)
{
    const QString result = request ? request->result() : QString();
    if (!LoginViewController::isLoginHeader(result)) {
        // Accepted, or failed for another reason (no answer): the waiting requests try again.
        setSessionValidated(true);
        return;
    }
    // Refused: back to the login screen; the waiting requests wait for the next sign-in.
    QPointer<SwitchViewController> self(this);
    MainThread::post([self] {
        if (self && self->showLogin())
            self->logout();
    });
}

LoginViewController* SwitchViewController::embeddedLogin() const
{
    LoginViewController* login = m_loginViewController;
    if (login && isViewLoaded() && login->isViewLoaded()
        && login->view()->parentWidget() == const_cast<SwitchViewController*>(this)->view())
        return login;
    return nullptr;
}

void SwitchViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (LoginViewController* login = embeddedLogin())
        login->beginAppearance(true, animated);
}

void SwitchViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    if (LoginViewController* login = embeddedLogin())
        login->endAppearance(animated);
}

void SwitchViewController::viewWillDisappear(bool animated)
{
    ViewController::viewWillDisappear(animated);
    if (LoginViewController* login = embeddedLogin())
        login->beginAppearance(false, animated);
}

void SwitchViewController::viewDidDisappear(bool animated)
{
    ViewController::viewDidDisappear(animated);
    if (LoginViewController* login = embeddedLogin())
        login->endAppearance(animated);
}

void SwitchViewController::showAlert(const QString& title, const QString& message, const QString& button)
{
    auto* alertView = new AlertView(title, message, this, button);
    m_alert = alertView;
    alertView->show();
    // show() queues the presentation; run it now so the alert is up when this returns.
    QCoreApplication::sendPostedEvents(alertView, QEvent::MetaCall);
}

void SwitchViewController::didDismissWithButtonIndex(AlertView*, int)
{
    m_alert = nullptr;
}

void SwitchViewController::didSelectViewController(TabBarController* tabBarController, ViewController*)
{
    SettingsSaveAlert::check(Settings::setTab(tabBarController->selectedIndex()));
    if (tabBarController->selectedIndex() == kFavoritesTab && m_favoritesWatch)
        m_favoritesWatch->seen();
    NavigationController* more = tabBarController->moreNavigationController();
    more->popToRootViewControllerAnimated(false);
    more->setNavigationBarHidden(false);
}
