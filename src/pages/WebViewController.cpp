#include "pages/WebViewController.h"

#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/WebView.h"
#include "site/SiteHosts.h"

WebViewController::WebViewController(const QUrl& url, ViewController* target,
                                     FetchPageGeneric::ClassType requestClass, QObject* parent)
    : ViewController(parent)
    , m_url(url)
    , m_target(target)
    , m_requestClass(std::move(requestClass))
{
}

WebViewController::~WebViewController() = default;

WebView* WebViewController::webView()
{
    view();
    return m_webView;
}

void WebViewController::loadView()
{
    auto* web = new WebView;
    web->resize(Device::screenBounds().size());
    web->setScalesPageToFit(true);
    web->setDelegate(this);
    m_webView = web;
    setView(web);
}

void WebViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    if (m_fetched)
        return;
    m_fetched = true;
    m_operationQueue.addOperation(std::make_unique<FetchPageGeneric>(
        m_url, this, &WebViewController::initializeWebView, m_requestClass));
}

void WebViewController::initializeWebView(QString html)
{
    if (html.isNull()) {
        m_finished = true;
        pageDidLoad();
        return;
    }
    webView()->loadHTMLString(html, SiteHosts::webUrl(QStringLiteral("/")));
}

void WebViewController::webViewDidFinishLoad(WebView*)
{
    if (m_finished)
        return;
    m_finished = true;
    pageDidLoad();
}

void WebViewController::didFailLoadWithError(WebView* webView, const QString&)
{
    webViewDidFinishLoad(webView);
}
