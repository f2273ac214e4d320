#pragma once

#include "platform/core/FetchFailure.h"

#include <QPointer>
#include <QUrl>
#include <QWebEngineView>

#include <functional>

class WebPage;
class WebViewDelegate;

// An embedded web view on Qt WebEngine. It loads an HTML text with a base address (so
// relative links, styles and pictures resolve against the site) or an address, tells its
// delegate when loads start, finish or fail, and asks it before every navigation.
// Site pages get the cookies of the application's cookie store.
class WebView : public QWebEngineView
{
    Q_OBJECT

public:
    explicit WebView(QWidget* parent = nullptr);
    ~WebView() override;

    WebViewDelegate* delegate() const;
    void setDelegate(WebViewDelegate* delegate);

    void loadHTMLString(const QString& html, const QUrl& baseUrl);
    void loadRequest(const QUrl& url);
    void stopLoading();
    bool isLoading() const { return m_loading; }
    bool canGoBack() const;
    bool canGoForward() const;
    void goBack();
    void goForward();

    // Why the last failed load failed, and its address: kind None when it was only stopped.
    // Set before the delegate hears of the failure.
    const FetchFailure& lastFailure() const { return m_lastFailure; }
    QUrl failedUrl() const { return m_failedUrl; }
    // Whether a load has finished in this view: a later load that fails leaves that page in
    // view (the engine's error pages are off).
    bool hasShownPage() const { return m_shownPage; }
    // Whether the page last asked for in the main frame was a form's answer (a post).
    bool lastLoadWasForm() const { return m_formLoad; }
    // Called by the page for every main-frame navigation it lets through.
    void navigationAccepted(bool form) { m_formLoad = form; }

    // Runs a script in the page; `done` gets its result as text (empty when it has none)
    // on the main thread, unless the view is gone by then.
    void stringByEvaluatingJavaScriptFromString(const QString& script,
                                                std::function<void(const QString&)> done = {});

    // Shrinks wide pages to the view's width after each load, as the phone does.
    bool scalesPageToFit() const { return m_scalesPageToFit; }
    void setScalesPageToFit(bool scales);

    // Texts above this many bytes (UTF-8) do not fit a data address, which the engine limits
    // to 2 MB: a small placeholder is loaded with the base address instead, and the text is
    // written into it from memory. Either way the page has the base address's origin.
    static constexpr qsizetype kInlineHtmlLimit = 1500 * 1024;

    // Called by the page when the delegate refused a navigation.
    void navigationRefused(const QUrl& url);
    // Called by the page when a large text written into its placeholder has loaded: the
    // console message kLargePageLoaded followed by the placeholder's token.
    void largePageLoaded(const QString& token);
    static constexpr char kLargePageLoaded[] = "itarnvale-large-page-loaded:";

private:
    void loadingChanged(const QWebEngineLoadingInfo& info);
    void fitToWidth();
    void reportFinished();
    bool writeLargeHtml(const QUrl& loaded);

    WebPage* m_page = nullptr;
    WebViewDelegate* m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    bool m_loading = false;
    QList<QUrl> m_refused;
    bool m_scalesPageToFit = false;
    // The last text too large for a data address, kept for as long as its placeholder may
    // come back from the history; the token marks the placeholder of this text.
    QString m_largeHtml;
    QUrl m_largeBase;
    QString m_largeToken;
    FetchFailure m_lastFailure;
    QUrl m_failedUrl;
    bool m_formLoad = false;
    bool m_shownPage = false;
    int m_loadCount = 0; // main-frame loads started, so that a late answer can tell it is stale
    int m_largeLoad = -1; // the load whose placeholder the text was written into
};
