#pragma once

#include "platform/core/OperationQueue.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WebViewDelegate.h"
#include "site/FetchPageGeneric.h"

#include <QPointer>
#include <QString>
#include <QUrl>

class Button;
class Label;
class LoadingIndicator;
class PageFailureView;
class WebView;
struct FetchFailure;

// The base of the screens that show one of the site's pages (details, profile, message form,
// forum, front page) and of the remote client's web interface. The page is not loaded by the
// web view from the network: the screen fetches it on its own queue with the application's
// HTTP layer (session cookie and user agent), usually through a cleaner, and hands the text to
// initializeWebView, which loads it with a base address so that relative links, styles and
// pictures resolve.
//
// The base behaviour, for screens pushed by a list (`target`):
//  - the left item is a back button ("back.png", cancel()), disabled until the first load ends;
//  - a load start shows the shared busy overlay over the page ("Loading...");
//  - a load finish disables every link of the page, hides the overlay and gives the opener's
//    table and tabs back;
//  - a failed fetch, or a load the web view could not make, does the same and says why in
//    the page area instead of the page, with "Try again" (see tryAgain); a page already
//    shown stays below a band that says it;
//  - the screen stops a load in progress when it disappears (and takes its busy overlay
//    away), and a page delivered after it was popped is not loaded at all, so a popped screen
//    sends nothing more; a screen shown again after such a stop loads its page again;
//  - the web view's reports touch the shared overlay only while the screen is on screen: a
//    hidden screen's page must not take or hide another screen's overlay;
//  - a popped screen that is still loading lives until that load has ended.
//
// Subclasses replace the hooks below (all run on the user interface thread).
class WebViewController : public ViewController, public WebViewDelegate
{
    Q_OBJECT
public:
    // Stores the opener and the address (the subclasses fetch it; the base fetches nothing).
    WebViewController(const QUrl& url, ViewController* target, QObject* parent = nullptr);
    ~WebViewController() override;

    // Fields, for the subclasses and for tests.
    QUrl url() const { return m_url; }
    void setUrl(const QUrl& url) { m_url = url; }
    ViewController* target() const { return m_target; }
    WebView* myWebView() const;
    // The HTML text most recently handed to the web view.
    QString result() const { return m_result; }
    LoadingIndicator* loading() const { return m_loading; }
    // The details screen's "previous" and "next" buttons; none elsewhere.
    Button* backbutton() const;
    Button* forwardbutton() const;
    OperationQueue& operationQueue() { return m_operationQueue; }
    // The details screen's history marker: 0 until a load after the details text finished.
    int stackCounter() const { return m_stackCounter; }
    // What tells of a failed fetch or load in the page area, and its text; none while there
    // is no failure.
    PageFailureView* failureView() const;
    Label* failureLabel() const;

    // The failure view's first line, and its button.
    static const QString kFailureHeading;
    static const QString kTryAgainTitle;

    // "Try again": the page that failed is asked for again. Base: a fetch made by fetchPage is
    // made again; a page the web view failed to load is loaded again (a posted form is not
    // posted again: the site may have taken it).
    virtual void tryAgain();

    // The fetch's result: the page's (cleaned) HTML text; null when nothing was obtained.
    // Base: stores it in result(), makes a new web view with it (baseUrl()) and makes that
    // the screen's view.
    virtual void initializeWebView(QString html);
    // "previous": back in the web view's history, or the stored text shown again.
    virtual void goBack();
    // "next".
    virtual void goForward();
    // The back button: stops a load, hides the overlay, pops the screen.
    virtual void cancel();
    // Stops a load in progress, then loads the address in the web view.
    virtual void loadRequest(const QUrl& url);

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void release() override;

    // WebViewDelegate. The base lets the web view follow every link and form.
    bool shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                    bool isMainFrame) override;
    void webViewDidStartLoad(WebView* webView) override;
    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;

    // The script that removes the address of every link of the page.
    static QString disableLinksScript();

protected:
    // The address pages are loaded with: "http://" + the site's web host + "/".
    virtual QUrl baseUrl() const;
    // Makes a new web view of the screen's size (scaled to fit, this screen its delegate),
    // loads `html` into it with `base` and makes it the screen's view. Returns it.
    WebView* makeWebView(const QString& html, const QUrl& base);
    // Loads `html` into the existing web view with `base` (making one when there is none).
    void loadHtml(const QString& html, const QUrl& base);

    // The shared busy overlay over the screen's view with "Loading..." and `offset`.
    void showLoading(int offset);
    void hideLoading();
    // Switches the opener's table selection and tabs back on (an opener that is no list has
    // neither, and nothing happens).
    void releaseTarget();
    // Queues the fetch of url() with `classType`: the page goes to initializeWebView, a
    // failure to fetchFailed. tryAgain makes the same fetch again.
    void fetchPage(FetchPageGeneric::ClassType classType);
    // A fetch that failed: the overlay goes, the controls and the opener come back, and the
    // page area says why, with "Try again". Nothing is loaded, so a page shown stays.
    virtual void fetchFailed(const FetchFailure& failure);
    // The failure's part of that: the page area says why, and "Try again" will call refetch.
    void sayFetchFailed(const FetchFailure& failure);
    // What "Try again" does after a failed fetch: the overlay, and fetchPage's fetch again.
    virtual void refetch();
    // The sentence for a failed fetch; the site's by default.
    virtual QString failureReason(const FetchFailure& failure) const;
    // Shows `reason` under kFailureHeading in the page area, over the web view, until the next
    // load starts: as a band over the page with `band`, else in place of the page. With
    // `canTryAgain`, "Try again" calls tryAgain.
    void showFailure(const QString& reason, bool canTryAgain, bool band);
    void clearFailure();
    // Says why the web view could not load its page; a load that was only stopped says
    // nothing.
    void showLoadFailure(WebView* webView);
    // The left navigation item: a 160 x 30 container with the "back.png" button at (0, -10)
    // calling cancel(). Returns the container.
    QWidget* makeBackItem();
    // A 50 x 47 toolbar button with `picture` at (x, -10) in `container`.
    static Button* makeToolbarButton(const QString& picture, int x, QWidget* container);

    // A load this screen stopped when it disappeared; viewWillAppear then calls
    // resumeInterruptedLoad, which by default shows result() again.
    virtual void resumeInterruptedLoad();
    // Calls resumeInterruptedLoad once after such a stop (for screens that replace
    // viewWillAppear).
    void resumeIfInterrupted();
    // Whether the shared busy overlay shows inside this screen's view.
    bool overlayInView() const;

    // True once the screen was popped (cancel or its navigation stack let it go): pages
    // delivered afterwards are not loaded.
    bool isReleased() const { return m_released; }
    // A popped screen goes once its load has ended; screens call this when it has.
    void deleteWhenIdle();

    QUrl m_url;
    QPointer<ViewController> m_target;
    QPointer<WebView> m_myWebView;
    QString m_result;
    LoadingIndicator* m_loading = nullptr;
    QPointer<Button> m_backbutton;
    QPointer<Button> m_forwardbutton;
    OperationQueue m_operationQueue{1};
    int m_stackCounter = 0;

private:
    QPointer<QWidget> m_backItem;
    QPointer<PageFailureView> m_failureView;
    FetchPageGeneric::ClassType m_fetchClass;
    // What tryAgain asks for: the screen's fetch, or a load of the web view's own.
    enum class Retry { Fetch, Load, None } m_retry = Retry::Fetch;
    QUrl m_failedLoad;
    bool m_released = false;
    bool m_interrupted = false;
    bool m_deleteScheduled = false;
};
