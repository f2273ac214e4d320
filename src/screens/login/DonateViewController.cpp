#include "screens/login/DonateViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/WebView.h"
#include "site/SiteHosts.h"

#include <QDesktopServices>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_hookLock;
DonateViewController::BrowserHook g_hook;

} // namespace

void DonateViewController::setBrowserHook(BrowserHook hook)
{
    QMutexLocker lock(&g_hookLock);
    g_hook = std::move(hook);
}

void DonateViewController::openInBrowser(const QUrl& url)
{
    BrowserHook hook;
    {
        QMutexLocker lock(&g_hookLock);
        hook = g_hook;
    }
    if (hook)
        hook(url);
    else
        QDesktopServices::openUrl(url);
}

DonateViewController::DonateViewController(const QRect& frame, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_frame(frame)
    , m_target(target)
{
}

DonateViewController::~DonateViewController() = default;

WebView* DonateViewController::myWebView() const
{
    return m_webView;
}

ViewController* DonateViewController::target() const
{
    return m_target;
}

QString DonateViewController::html()
{
    // The picture travels inside the page: a page loaded from a text has no file or
    // resource base from which the engine would fetch it. The link carries no "_blank"
    // target: the engine would ask for a new window instead of reporting the tap as a
    // followed link, and the tap would be lost.
    // On a HiDPI screen the picture's SVG source, which the engine draws sharp at any ratio.
    QByteArray picture;
    if (Bundle::screenScale() > 1.0)
        picture = Bundle::resourceData(QStringLiteral("svg/bitcoin.png.svg"));
    const QString type = picture.isEmpty() ? QStringLiteral("png") : QStringLiteral("svg+xml");
    if (picture.isEmpty())
        picture = Bundle::resourceData(QStringLiteral("bitcoin.png"));
    const QString href = SiteHosts::donateUrl().toHtmlEscaped();
    return QStringLiteral("<html><body style=\"margin:0;background:transparent\">"
                          "<a href=\"%1\"><img alt=\"Donate\" src=\"data:image/%3;base64,%2\" "
                          "style=\"border:0;display:block;width:100%;height:100%\"></a>"
                          "</body></html>")
        .arg(href, QString::fromLatin1(picture.toBase64()), type);
}

void DonateViewController::loadView()
{
    auto* webView = new WebView;
    webView->setGeometry(m_frame);
    webView->setAttribute(Qt::WA_TranslucentBackground);
    webView->page()->setBackgroundColor(Qt::transparent);
    webView->setDelegate(this);
    m_webView = webView;
    setView(webView);
}

void DonateViewController::viewDidLoad()
{
    m_webView->loadHTMLString(html(), QUrl());
    m_webView->setDelegate(this);
    m_webView->setEnabled(true);
}

bool DonateViewController::shouldStartLoadWithRequest(WebView*, const QUrl& url, NavigationType type, bool)
{
    if (type == NavigationType::LinkClicked) {
        openInBrowser(url);
        return false;
    }
    return true;
}
