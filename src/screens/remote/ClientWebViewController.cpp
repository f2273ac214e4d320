#include "screens/remote/ClientWebViewController.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBarItem.h"
#include "remote/AlertPresenter.h"
#include "remote/FetchPageRemoteUI.h"
#include "remote/RemoteControlFailure.h"
#include "remote/RemoteTexts.h"
#include "remote/ServerInfo.h"
#include "screens/remote/ServerSettingsViewController.h"
#include "views/LoadingIndicator.h"

namespace {
constexpr int kFetchOverlayOffset = -4;
constexpr int kPageOverlayOffset = -25;
} // namespace

ClientWebViewController::ClientWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    setTabBarItem(new TabBarItem(QStringLiteral("Remote UI"), Bundle::imageNamed(QStringLiteral("tabbar-remote.png")), 0));
    if (isTestingSettings())
        navigationItem()->setTitle(QStringLiteral("Test remote settings"));
    else
        setTitle(QString());
}

bool ClientWebViewController::isTestingSettings() const
{
    return qobject_cast<ServerSettingsViewController*>(m_target.data()) != nullptr;
}

void ClientWebViewController::viewDidLoad()
{
    // Only the test has somewhere to go back to; it may go back while the page loads.
    if (isTestingSettings())
        navigationItem()->setLeftView(makeBackItem());
}

void ClientWebViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(!isTestingSettings(), animated);
}

void ClientWebViewController::viewDidAppear(bool animated)
{
    WebViewController::viewDidAppear(animated);
    if (isReleased())
        return;
    fetchClientPage();
}

void ClientWebViewController::fetchClientPage()
{
    clearFailure();
    showLoading(kFetchOverlayOffset);
    const ServerInfo::Settings settings = ServerInfo::sharedInstance().settings();
    m_username = settings.username;
    m_password = settings.password;
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<QString> deliver(this, [this, outcome](QString html) {
        if (outcome->isFailure())
            fetchFailed(outcome->failure);
        else
            initializeWebView(html);
    });
    auto fetch = std::make_unique<FetchPageRemoteUI>(std::move(deliver), isTestingSettings());
    fetch->setOutcome(outcome);
    // What the web view and anything that shows the address see: no credentials in it.
    m_url = fetch->url().adjusted(QUrl::RemoveUserInfo);
    m_operationQueue.addOperation(std::move(fetch));
}

void ClientWebViewController::fetchFailed(const FetchFailure& failure)
{
    if (isReleased())
        return;
    if (isAppearing() || overlayInView())
        hideLoading();
    sayFetchFailed(failure);
}

void ClientWebViewController::refetch()
{
    fetchClientPage();
}

QString ClientWebViewController::failureReason(const FetchFailure& failure) const
{
    return failure.isNoNetwork() ? QString() : failure.text(FetchFailure::Far::Client);
}

QUrl ClientWebViewController::baseUrl() const
{
    return m_url;
}

void ClientWebViewController::initializeWebView(QString html)
{
    if (isReleased())
        return;
    m_result = html;
    m_answered.clear();
    m_refusalSaid = false;
    makeWebView(html, baseUrl());
    if (isAppearing()) {
        showLoading(kPageOverlayOffset);
        hideLoading();
        showLoading(kPageOverlayOffset);
    } else if (overlayInView()) {
        hideLoading();
    }
}

void ClientWebViewController::loadRequest(const QUrl&) {}

bool ClientWebViewController::shouldStartLoadWithRequest(WebView*, const QUrl&, NavigationType, bool)
{
    return true;
}

void ClientWebViewController::webViewDidStartLoad(WebView*) {}

void ClientWebViewController::webViewDidFinishLoad(WebView*)
{
    if (isAppearing())
        hideLoading();
    deleteWhenIdle();
}

void ClientWebViewController::didFailLoadWithError(WebView*, const QString&)
{
    // The overlay must not stay over a page that will not come.
    if (isAppearing())
        hideLoading();
    deleteWhenIdle();
}

bool ClientWebViewController::didReceiveAuthenticationChallenge(WebView*, const QUrl& url, QString* username,
                                                                QString* password)
{
    // Only the client's own host and port get its credentials.
    const bool client = url.scheme() == m_url.scheme() && url.host().compare(m_url.host(), Qt::CaseInsensitive) == 0
                        && url.port(80) == m_url.port(80);
    if (!client)
        return false;
    const QString key = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment).toString();
    if (m_answered.contains(key)) {
        // Refused with the stored credentials: say so once, unless an alert already does.
        if (!m_refusalSaid && AlertView::visibleAlerts().isEmpty())
            AlertPresenter::present(RemoteTexts::connectionFailedTitle,
                                    RemoteControlFailureText::text(RemoteControlFailure::SignInRefused), RemoteTexts::okButton);
        m_refusalSaid = true;
        return false;
    }
    m_answered.insert(key);
    *username = m_username;
    *password = m_password;
    return true;
}
