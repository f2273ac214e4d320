#pragma once

#include "platform/core/OperationQueue.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WebViewDelegate.h"
#include "site/FetchPageGeneric.h"

#include <QPointer>
#include <QUrl>

class WebView;

// The base of the screens that show one of the site's pages: the page is fetched through the
// application's own HTTP layer (with the session cookie), cut down by the screen's request
// class, and shown in a web view with the site's address as its base, so that styles and
// pictures resolve. The fetch runs on the screen's own queue when the screen first appears.
class WebViewController : public ViewController, public WebViewDelegate
{
    Q_OBJECT
public:
    WebViewController(const QUrl& url, ViewController* target, FetchPageGeneric::ClassType requestClass,
                      QObject* parent = nullptr);
    ~WebViewController() override;

    QUrl url() const { return m_url; }
    ViewController* target() const { return m_target; }
    WebView* webView();

    void loadView() override;
    void viewWillAppear(bool animated) override;

    // The fetched page (null when none could be had).
    virtual void initializeWebView(QString html);

    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;

protected:
    // The page is on screen, or could not be had: either way the screen is done loading.
    virtual void pageDidLoad() {}

private:
    QUrl m_url;
    QPointer<ViewController> m_target;
    FetchPageGeneric::ClassType m_requestClass;
    OperationQueue m_operationQueue{1};
    QPointer<WebView> m_webView;
    bool m_fetched = false;
    bool m_finished = false;
};
