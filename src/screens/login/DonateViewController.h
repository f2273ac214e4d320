#pragma once

#include "platform/ui/ViewController.h"
#include "platform/ui/WebViewDelegate.h"

#include <QPointer>
#include <QRect>
#include <QUrl>

#include <functional>

class WebView;

// The donation button of the login screen: a small web view showing the donation picture
// as a link to the checkout page (SiteHosts::donateUrl). A tap on the link opens the page in
// the system's browser; the web view itself never leaves the picture.
class DonateViewController : public ViewController, public WebViewDelegate
{
    Q_OBJECT

public:
    // How a tapped link reaches the system's browser (QDesktopServices::openUrl unless a
    // test put its own in).
    using BrowserHook = std::function<void(const QUrl&)>;
    static void setBrowserHook(BrowserHook hook); // an empty hook restores the default
    static void openInBrowser(const QUrl& url);

    DonateViewController(const QRect& frame, ViewController* target, QObject* parent = nullptr);
    ~DonateViewController() override;

    WebView* myWebView() const;
    ViewController* target() const;

    // The page shown: one link around the picture.
    static QString html();

    void loadView() override;
    void viewDidLoad() override;

    bool shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                    bool isMainFrame) override;

private:
    QRect m_frame;
    QPointer<WebView> m_webView;
    QPointer<ViewController> m_target;
};
