#include "screens/common/TabWebViewController.h"

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
    if (m_pagePending) {
        m_pagePending = false;
        showPage(m_result);
    }
}

void TabWebViewController::viewDidLoad()
{
    showLoading(fetchOverlayOffset());
    m_url = baseUrl();
    fetchPage(requestClass());
}

void TabWebViewController::resumeInterruptedLoad()
{
    viewDidLoad();
}

void TabWebViewController::initializeWebView(QString html)
{
    m_result = html;
    // The web engine is the heaviest part of the program: a tab not on display keeps its
    // page and makes its web view when it first appears, so that the list shown at start-up
    // never waits for the engine (nor pays its memory when these tabs are never opened).
    if (!isAppearing() && !myWebView()) {
        m_pagePending = true;
        if (overlayInView())
            hideLoading();
        return;
    }
    m_pagePending = false;
    showPage(html);
}

void TabWebViewController::showPage(const QString& html)
{
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

void TabWebViewController::didFailLoadWithError(WebView* webView, const QString&)
{
    // These tabs are not locked while they load: the overlay must not stay for ever.
    if (isAppearing()) {
        hideLoading();
        showLoadFailure(webView);
    }
}

void TabWebViewController::fetchFailed(const FetchFailure& failure)
{
    // A tab not on display says it when it appears, in place of a page that came before. The
    // opener's controls are not this tab's to give back (its own load may be under way).
    m_pagePending = false;
    if (isReleased())
        return;
    if (isAppearing() || overlayInView())
        hideLoading();
    sayFetchFailed(failure);
}

void TabWebViewController::refetch()
{
    viewDidLoad();
}
