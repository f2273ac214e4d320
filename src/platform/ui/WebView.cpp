#include "platform/ui/WebView.h"

#include "platform/ui/Application.h"
#include "platform/ui/WebLoadFailure.h"
#include "platform/ui/WebPage.h"
#include "platform/ui/WebProfile.h"
#include "platform/ui/WebViewDelegate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineSettings>

namespace {
// Any program that makes web views gets the engine's flags before its QApplication
// exists, tests with a plain QApplication included.
const bool g_environmentPrepared = [] {
    Application::prepareEnvironment();
    return true;
}();
} // namespace

WebView::WebView(QWidget* parent)
    : QWebEngineView(parent)
{
    Q_UNUSED(g_environmentPrepared);
    m_page = new WebPage(this);
    setPage(m_page);
    m_page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // A failed load is said by the screen, in its own words and with a way to try again; the
    // engine's own error page would stand behind it, or alone where a screen says nothing.
    m_page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebView::loadingChanged);
    setContextMenuPolicy(Qt::NoContextMenu);
}

WebView::~WebView()
{
    m_delegate = nullptr;
    m_delegateObject = nullptr;
    // The page goes before the view, while it still has its profile.
    setPage(nullptr);
    delete m_page;
}

WebViewDelegate* WebView::delegate() const
{
    if (m_delegateIsObject && !m_delegateObject)
        return nullptr;
    return m_delegate;
}

void WebView::setDelegate(WebViewDelegate* delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject*>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

void WebView::loadHTMLString(const QString& html, const QUrl& base)
{
    // A page never gets a file origin, whatever base a caller hands in: a local base gives
    // the engine's opaque origin instead, from which no file can be read.
    const QUrl baseUrl = base.isLocalFile() ? QUrl() : base;
    WebProfile::copyCookies();
    m_page->expectHtmlLoad(baseUrl);
    if (html.toUtf8().size() <= kInlineHtmlLimit) {
        m_page->setHtml(html, baseUrl);
        return;
    }
    // Too big for a data address. Never a file: a file's page could read the user's files.
    // An empty placeholder gets the base address (and so the site's origin, cookies and
    // relative addresses, exactly as a small text), and the text is written into it once it
    // has loaded. The placeholder carries a token so that only it is written into.
    m_largeHtml = html;
    m_largeBase = baseUrl;
    m_largeToken = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_page->setHtml(QStringLiteral("<!DOCTYPE html><html data-itarnvale-page=\"%1\"></html>").arg(m_largeToken),
                    baseUrl);
}

namespace {

// A text as a script's string literal.
QString scriptString(const QString& text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

} // namespace

bool WebView::writeLargeHtml(const QUrl& loaded)
{
    // Only a page at the text's own address may receive it (the placeholder, also when the
    // history brings it back); a page elsewhere never does.
    if (m_largeToken.isEmpty() || loaded.adjusted(QUrl::RemoveFragment) != m_largeBase.adjusted(QUrl::RemoveFragment))
        return false;
    // In a world of our own: the page's scripts see neither this script nor its token, and
    // cannot replace what it calls. The written text is parsed as the page's own, and its
    // load (scripts run, pictures in) is when the page has finished.
    const QString token = scriptString(m_largeToken);
    const QString script = QStringLiteral("(function(){var e=document.documentElement;"
                                          "if(!e||e.getAttribute('data-itarnvale-page')!==")
        + token + QStringLiteral(")return false;document.open();document.write(") + scriptString(m_largeHtml)
        + QStringLiteral(");window.addEventListener('load',function(){console.log(") + scriptString(QString::fromLatin1(kLargePageLoaded))
        + QStringLiteral("+") + token + QStringLiteral(");});document.close();return true;})()");
    m_largeLoad = m_loadCount;
    QPointer<WebView> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self](const QVariant& written) {
        // Not the placeholder after all: the page is finished as it is.
        if (self && !written.toBool() && self->m_loadCount == self->m_largeLoad)
            self->reportFinished();
    });
    return true;
}

void WebView::largePageLoaded(const QString& token)
{
    if (!m_largeToken.isEmpty() && token == m_largeToken && m_loadCount == m_largeLoad && m_loading)
        reportFinished();
}

void WebView::loadRequest(const QUrl& url)
{
    WebProfile::copyCookies();
    m_page->load(url);
}

void WebView::stopLoading()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

bool WebView::canGoBack() const
{
    return m_page->history()->canGoBack();
}

bool WebView::canGoForward() const
{
    return m_page->history()->canGoForward();
}

// Through the history, like canGoBack and canGoForward: the engine's own back and forward
// actions skip entries made without a user gesture (a page loaded from a text, a link followed
// by a script), so they could do nothing where canGoBack said yes.
void WebView::goBack()
{
    m_page->history()->back();
}

void WebView::goForward()
{
    m_page->history()->forward();
}

void WebView::stringByEvaluatingJavaScriptFromString(const QString& script,
                                                     std::function<void(const QString&)> done)
{
    QPointer<WebView> self(this);
    m_page->runJavaScript(script, [self, done](const QVariant& result) {
        if (self && done)
            done(result.isValid() ? result.toString() : QString());
    });
}

void WebView::setScalesPageToFit(bool scales)
{
    m_scalesPageToFit = scales;
    if (scales && !m_loading)
        fitToWidth();
}

void WebView::fitToWidth()
{
    QPointer<WebView> self(this);
    m_page->runJavaScript(QStringLiteral("document.documentElement ? document.documentElement.scrollWidth : 0"),
                          [self](const QVariant& result) {
        if (!self)
            return;
        const double pageWidth = result.toDouble() * self->zoomFactor();
        if (pageWidth > self->width() && self->width() > 0)
            self->setZoomFactor(qBound(0.25, self->width() / pageWidth * self->zoomFactor(), 1.0));
    });
}

void WebView::navigationRefused(const QUrl& url)
{
    // The engine still reports a start and a stop for it; the delegate hears of neither.
    m_refused.append(url);
}

void WebView::reportFinished()
{
    m_loading = false;
    m_shownPage = true;
    if (m_scalesPageToFit)
        fitToWidth();
    if (WebViewDelegate* d = delegate())
        d->webViewDidFinishLoad(this);
}

void WebView::loadingChanged(const QWebEngineLoadingInfo& info)
{
    if (m_refused.contains(info.url())) {
        if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            m_refused.removeOne(info.url());
        return;
    }
    // The engine's error pages are off; should one come all the same, it is no page of ours.
    if (info.isErrorPage() && info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        ++m_loadCount;
        m_loading = true;
        if (m_scalesPageToFit)
            setZoomFactor(1.0);
        if (WebViewDelegate* d = delegate())
            d->webViewDidStartLoad(this);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        // A large text's placeholder has finished when the text is in it.
        if (!writeLargeHtml(info.url()))
            reportFinished();
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_loading = false;
        m_lastFailure = webLoadFailure(info);
        m_failedUrl = info.url();
        if (WebViewDelegate* d = delegate())
            d->didFailLoadWithError(this, info.errorString().isEmpty() ? QStringLiteral("Load stopped")
                                                                        : info.errorString());
        break;
    }
}
