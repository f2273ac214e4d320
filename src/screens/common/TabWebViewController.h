#pragma once

#include "screens/common/WebViewController.h"
#include "site/FetchPageGeneric.h"

// A web page screen that has its own tab (the forum, the site's front page): made once with
// the tab bar, no navigation bar, the page shown as it comes with its links usable. The
// front page is fetched when the view is set up; each delivered page replaces the web view.
class TabWebViewController : public WebViewController
{
    Q_OBJECT
public:
    void viewWillAppear(bool animated) override;
    // Fetches the front page (again).
    void viewDidLoad() override;
    void initializeWebView(QString html) override;
    void loadRequest(const QUrl& url) override;

    void webViewDidStartLoad(WebView* webView) override;
    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;

protected:
    // `target`: the recent torrents screen, as the tab bar gives it.
    TabWebViewController(const QUrl& url, ViewController* target, const QString& tabTitle,
                         const QString& tabPicture, QObject* parent);

    // The request class of the front page fetch.
    virtual FetchPageGeneric::ClassType requestClass() const = 0;
    // The overlay's offset while the page is fetched, and while it loads in the web view.
    virtual int fetchOverlayOffset() const = 0;
    virtual int pageOverlayOffset() const = 0;

    void resumeInterruptedLoad() override;
    void fetchFailed(const FetchFailure& failure) override;
    // Fetches the front page again, with the overlay this tab shows while it fetches.
    void refetch() override;

private:
    void showPage(const QString& html);

    // A page delivered while the tab was not on display, shown when the tab appears.
    bool m_pagePending = false;
};
