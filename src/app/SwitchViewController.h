#pragma once

#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/ViewController.h"
#include "remote/AlertPresenter.h"
#include "screens/login/SessionSwitch.h"
#include "site/SessionKeeper.h"

#include <QMutex>
#include <QPointer>

#include <memory>

class AlertView;
class FavoritesWatch;
class HttpRequest;
class LoginViewController;
class NavigationController;
class Window;

// The navigation controller of the whole application: shows either the login screen (inside
// its own view) or the main tab bar, logs out, and renews a session the site has dropped.
// It is the session keeper that HttpRequest consults and the presenter of the alerts that
// background operations show; the application delegate registers it as both.
class SwitchViewController : public ViewController,
                             public SessionKeeper,
                             public AlertPresenter,
                             public AlertViewDelegate,
                             public TabBarControllerDelegate,
                             public SessionSwitch
{
    Q_OBJECT

public:
    // `window` is where the login screen's holder and the tab bar are shown.
    explicit SwitchViewController(Window* window, QObject* parent = nullptr);
    ~SwitchViewController() override;

    Window* window() const;

    // Resets the flags, shows a fresh login screen and tries the automatic sign-in.
    void viewDidLoad() override;

    // A fresh login screen at the bottom of this controller's view (the previous one goes).
    void loadLoginView();
    void prefetchFirstPage();
    // From the login screen to the tab bar (built on first use) or back, by showLogin().
    void switchViews() override;
    // Deletes the site's cookies (its cookie domain, the captcha service's cookie domain
    // and the web host) and shows the login screen.
    void logout() override;

    // The end of a renewal, on the sign-in operation's worker thread: the sign-in page
    // again logs out (later, on the main thread) and keeps waiting requests waiting;
    // anything else lets them send again.
    void sessionInvalidatedResponse(std::shared_ptr<HttpRequest> request);

    LoginViewController* loginViewController() const;
    // The main tab bar; none before the first sign-in.
    TabBarController* tabBarController() const { return m_tabBarController; }
    static constexpr int kFavoritesTab = 1;
    // Shows the Favourites tab and brings the window forward (a click on the watch's
    // notification or tray icon); nothing while the login screen is shown.
    void openFavorites();
    // The watch over the favourite filters, made with the tab bar.
    FavoritesWatch* favoritesWatch() const;
    // The snatch list and friends screens' navigation controllers, listed in "More" after the
    // nine tabs; none before the first sign-in.
    NavigationController* snatchListNavigationController() const;
    NavigationController* friendsNavigationController() const;

    // The alert a background operation shows with this controller as its delegate.
    AlertView* alert() const { return m_alert; }
    void setAlert(AlertView* alert) { m_alert = alert; }

    // AlertPresenter (main thread): shows the alert and keeps it as the current one.
    void showAlert(const QString& title, const QString& message, const QString& button) override;
    // AlertViewDelegate: the current alert has gone.
    void didDismissWithButtonIndex(AlertView* alertView, int buttonIndex) override;
    // TabBarControllerDelegate: remembers the chosen tab.
    void didSelectViewController(TabBarController* tabBarController,
                                 ViewController* viewController) override;

Q_SIGNALS:
    // The tab bar is in the window: a sign-in has succeeded.
    void tabBarShown();

protected:
    // SessionKeeper: a worker has seen the sign-in page; sign in silently with the login
    // screen's fields on its queue.
    void startRenewal() override;

    // The login screen's view is a child of this one: it appears and disappears with it.
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    void buildTabBar();
    // The login screen while its view is inside this controller's view, else none.
    LoginViewController* embeddedLogin() const;

    QPointer<Window> m_window;
    QPointer<LoginViewController> m_loginViewController;
    // Guards the login screen against being replaced while a renewal worker asks it to sign in.
    mutable QMutex m_loginLock;
    QPointer<TabBarController> m_tabBarController;
    QPointer<FavoritesWatch> m_favoritesWatch;
    QPointer<NavigationController> m_snatchList;
    QPointer<NavigationController> m_friends;
    QPointer<AlertView> m_alert;
};
