#include "platform/ui/WebPage.h"

#include "platform/ui/WebProfile.h"
#include "platform/ui/WebView.h"
#include "platform/ui/WebViewDelegate.h"

#include <QAuthenticator>

WebPage::WebPage(WebView* view)
    : QWebEnginePage(WebProfile::shared(), view)
    , m_view(view)
{
    // Credentials go only where the delegate gives them; a refused challenge ends the request
    // as unauthorised (a null authenticator), with no prompt.
    connect(this, &QWebEnginePage::authenticationRequired, this, [this](const QUrl& url, QAuthenticator* auth) {
        QString username;
        QString password;
        WebViewDelegate* delegate = m_view->delegate();
        if (delegate && delegate->didReceiveAuthenticationChallenge(m_view, url, &username, &password)) {
            auth->setUser(username);
            auth->setPassword(password);
        } else {
            *auth = QAuthenticator();
        }
    });
}

void WebPage::expectHtmlLoad(const QUrl& baseUrl)
{
    m_expectHtml = true;
    m_htmlBase = baseUrl;
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&)
{
    // Pages' own messages are not shown; the one our writer of large texts sends is heard.
    const QLatin1String loaded(WebView::kLargePageLoaded);
    if (message.startsWith(loaded))
        m_view->largePageLoaded(message.mid(loaded.size()));
}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    using Kind = WebViewDelegate::NavigationType;
    Kind kind = Kind::Other;
    switch (type) {
    case NavigationTypeLinkClicked:
        kind = Kind::LinkClicked;
        break;
    case NavigationTypeFormSubmitted:
        kind = Kind::FormSubmitted;
        break;
    case NavigationTypeBackForward:
        kind = Kind::BackForward;
        break;
    case NavigationTypeReload:
        kind = Kind::Reload;
        break;
    default:
        break;
    }
    QUrl reported = url;
    if (isMainFrame && m_expectHtml && url.scheme() == QLatin1String("data")) {
        reported = m_htmlBase;
        kind = Kind::Other;
        m_expectHtml = false;
    }
    bool allowed = true;
    if (WebViewDelegate* delegate = m_view->delegate())
        allowed = delegate->shouldStartLoadWithRequest(m_view, reported, kind, isMainFrame);
    // A page of a site (followed link, form, typed address) gets our cookies first.
    if (allowed && isMainFrame && url.scheme().startsWith(QLatin1String("http")))
        WebProfile::copyCookies();
    if (!allowed)
        m_view->navigationRefused(url);
    else if (isMainFrame)
        m_view->navigationAccepted(kind == Kind::FormSubmitted);
    return allowed;
}
