#include "platform/ui/WebView.h"

#include "platform/ui/Application.h"
#include "platform/ui/WebPage.h"
#include "platform/ui/WebProfile.h"
#include "platform/ui/WebViewDelegate.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
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
    m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    m_page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
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

void WebView::loadHTMLString(const QString& html, const QUrl& baseUrl)
{
    WebProfile::copyCookies();
    m_page->expectHtmlLoad(baseUrl);
    const QByteArray bytes = html.toUtf8();
    if (bytes.size() <= kInlineHtmlLimit) {
        m_page->setHtml(html, baseUrl);
        return;
    }
    // Too big for a data address: a temporary file, with the base address put into the
    // page so that its relative addresses still resolve against the site.
    if (!m_tempDir)
        m_tempDir = std::make_unique<QTemporaryDir>();
    const QString path = m_tempDir->filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (WebViewDelegate* d = delegate())
            d->didFailLoadWithError(this, file.errorString());
        return;
    }
    QByteArray base = "<base href=\"" + baseUrl.toEncoded().replace('"', "%22") + "\">";
    static const QRegularExpression head(QStringLiteral("<head[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(html.left(4096));
    QByteArray out;
    if (m.hasMatch()) {
        const qsizetype at = html.left(m.capturedEnd()).toUtf8().size();
        out = bytes.left(at) + base + bytes.mid(at);
    } else {
        out = "<meta charset=\"utf-8\">" + base + bytes;
    }
    file.write(out);
    file.close();
    m_page->load(QUrl::fromLocalFile(path));
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

void WebView::loadingChanged(const QWebEngineLoadingInfo& info)
{
    if (m_refused.contains(info.url())) {
        if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            m_refused.removeOne(info.url());
        return;
    }
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_loading = true;
        if (m_scalesPageToFit)
            setZoomFactor(1.0);
        if (WebViewDelegate* d = delegate())
            d->webViewDidStartLoad(this);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        m_loading = false;
        if (m_scalesPageToFit)
            fitToWidth();
        if (WebViewDelegate* d = delegate())
            d->webViewDidFinishLoad(this);
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_loading = false;
        if (WebViewDelegate* d = delegate())
            d->didFailLoadWithError(this, info.errorString().isEmpty() ? QStringLiteral("Load stopped")
                                                                        : info.errorString());
        break;
    }
}
