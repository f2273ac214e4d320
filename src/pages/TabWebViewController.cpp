#include "pages/TabWebViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarItem.h"

TabWebViewController::TabWebViewController(const QUrl& url, ViewController* target, const QString& tabTitle,
                                           const QString& tabPicture, QObject* parent)
    : WebViewController(url, target, parent)
{
    setTabBarItem(new TabBarItem(tabTitle, Bundle::imageNamed(tabPicture), 0));
}

void TabWebViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(true, animated);
    resumeIfInterrupted();
}

void TabWebViewController::viewDidLoad()
{
    showLoading(fetchOverlayOffset());
    m_url = baseUrl();
    m_operationQueue.addOperation(
        std::make_unique<FetchPageGeneric>(m_url, this, &WebViewController::initializeWebView, requestClass()));
}

void TabWebViewController::resumeInterruptedLoad()
{
    viewDidLoad();
}

void TabWebViewController::initializeWebView(QString html)
{
    m_result = html;
    makeWebView(html, baseUrl());
    // The overlay moves onto the new page and stays until the page has loaded; a tab not on
    // screen leaves the overlay to the screen that is.
    if (isAppearing()) {
        showLoading(pageOverlayOffset());
        hideLoading();
        showLoading(pageOverlayOffset());
    } else if (overlayInView()) {
        hideLoading();
    }
}

void TabWebViewController::loadRequest(const QUrl&) {}

void TabWebViewController::webViewDidStartLoad(WebView*)
{
    clearFailure();
}

void TabWebViewController::webViewDidFinishLoad(WebView*)
{
    if (isAppearing())
        hideLoading();
}

void TabWebViewController::didFailLoadWithError(WebView*, const QString& error)
{
    // These tabs are not locked while they load: the overlay must not stay for ever.
    if (isAppearing()) {
        hideLoading();
        showFailure(error);
    }
}
