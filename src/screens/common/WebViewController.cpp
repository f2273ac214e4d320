#include "screens/common/WebViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/WebView.h"
#include "screens/common/AllListViewController.h"
#include "site/SiteHosts.h"
#include "views/LoadingIndicator.h"
#include "views/PageFailureView.h"
#include "views/PictureButtonName.h"

#include <QGridLayout>
#include <QTimer>

namespace {
constexpr int kButtonWidth = 50;
// The screen's view lays its page out in one grid cell: the web view, and over it the failure.
QGridLayout* pageLayout(QWidget* view)
{
    if (auto* grid = qobject_cast<QGridLayout*>(view->layout()))
        return grid;
    auto* grid = new QGridLayout(view);
    grid->setContentsMargins(0, 0, 0, 0);
    return grid;
}

constexpr int kButtonHeight = 47;
constexpr int kButtonY = -10;
const QString kLoadingText = QStringLiteral("Loading...");
const QString kFailureSeparator = QStringLiteral("\n");
} // namespace

WebViewController::WebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_url(url)
    , m_target(target)
{
    setTitle(QStringLiteral(""));
}

WebViewController::~WebViewController()
{
    // The web view may outlive this part of the screen for a moment (it goes with the view):
    // it must not call back into it.
    if (m_myWebView)
        m_myWebView->setDelegate(nullptr);
}

WebView* WebViewController::myWebView() const { return m_myWebView; }
Button* WebViewController::backbutton() const { return m_backbutton; }
Button* WebViewController::forwardbutton() const { return m_forwardbutton; }
PageFailureView* WebViewController::failureView() const { return m_failureView; }
Label* WebViewController::failureLabel() const { return m_failureView ? m_failureView->messageLbl() : nullptr; }

const QString WebViewController::kFailureHeading = QStringLiteral("The page could not be loaded.");
const QString WebViewController::kTryAgainTitle = QStringLiteral("Try again");

QString WebViewController::disableLinksScript()
{
    return QStringLiteral("\tvar d = document.getElementsByTagName('a');\tfor (var i = 0; i < d.length; i++) {"
                          "\td[i].removeAttribute('href');\t}\t");
}

QUrl WebViewController::baseUrl() const
{
    return SiteHosts::webUrl(QStringLiteral("/"));
}

// View -----------------------------------------------------------------------------------------

void WebViewController::loadView()
{
    // The screen's view holds the web view; a new page's web view takes the old one's place
    // in it, so that the containers showing the screen need not know.
    auto* view = new QWidget;
    view->resize(Device::screenBounds().size());
    pageLayout(view);
    setView(view);
}

void WebViewController::viewDidLoad()
{
    navigationItem()->setLeftView(makeBackItem());
    m_backItem->setEnabled(false);
}

QWidget* WebViewController::makeBackItem()
{
    auto* container = new QWidget;
    container->resize(160, 30);
    Button* back = makeToolbarButton(QStringLiteral("back.png"), 0, container);
    back->setObjectName(QStringLiteral("backButton"));
    connect(back, &Button::touchUpInside, this, [this] { cancel(); });
    m_backItem = container;
    return container;
}

Button* WebViewController::makeToolbarButton(const QString& picture, int x, QWidget* container)
{
    auto* button = new Button(Button::Type::Custom, container);
    button->setGeometry(x, kButtonY, kButtonWidth, kButtonHeight);
    button->setImage(InterfaceLayout::picture(picture));
    button->setAccessibleName(pictureButtonName(picture));
    return button;
}

void WebViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    resumeIfInterrupted();
}

void WebViewController::resumeIfInterrupted()
{
    if (!m_interrupted || m_released)
        return;
    m_interrupted = false;
    resumeInterruptedLoad();
}

void WebViewController::viewWillDisappear(bool animated)
{
    ViewController::viewWillDisappear(animated);
    // A screen that is not seen loads nothing more, and leaves no overlay in its hidden view.
    if (m_myWebView && m_myWebView->isLoading()) {
        m_interrupted = true;
        m_myWebView->stopLoading();
    }
    if (overlayInView())
        hideLoading();
}

void WebViewController::resumeInterruptedLoad()
{
    initializeWebView(m_result);
}

bool WebViewController::overlayInView() const
{
    LoadingIndicator* overlay = LoadingIndicator::sharedInstance();
    const QWidget* box = overlay->rv();
    return overlay->isShowing() && box && isViewLoaded()
           && const_cast<WebViewController*>(this)->view()->isAncestorOf(box);
}

// Pages ----------------------------------------------------------------------------------------

WebView* WebViewController::makeWebView(const QString& html, const QUrl& base)
{
    QWidget* container = view();
    auto* web = new WebView;
    web->resize(container->size());
    web->setDelegate(this);
    if (WebView* old = m_myWebView) {
        old->setDelegate(nullptr);
        old->stopLoading();
        old->hide();
        old->deleteLater();
    }
    m_myWebView = web;
    pageLayout(container)->addWidget(web, 0, 0);
    if (m_failureView)
        m_failureView->raise();
    web->loadHTMLString(html, base);
    web->setScalesPageToFit(true);
    return web;
}

void WebViewController::loadHtml(const QString& html, const QUrl& base)
{
    if (!m_myWebView) {
        makeWebView(html, base);
        return;
    }
    m_myWebView->loadHTMLString(html, base);
}

void WebViewController::initializeWebView(QString html)
{
    // A page that arrives after the screen was popped is not loaded: its pictures and styles
    // would be asked of the site for a screen nobody sees.
    if (m_released)
        return;
    m_result = html;
    makeWebView(html, baseUrl());
}

void WebViewController::goBack()
{
    if (m_myWebView && m_myWebView->canGoBack()) {
        m_myWebView->goBack();
        return;
    }
    initializeWebView(m_result);
    if (m_backbutton)
        m_backbutton->setEnabled(false);
    m_stackCounter = 0;
}

void WebViewController::goForward()
{
    if (m_myWebView)
        m_myWebView->goForward();
}

void WebViewController::cancel()
{
    if (m_myWebView && m_myWebView->isLoading())
        m_myWebView->stopLoading();
    hideLoading();
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

void WebViewController::loadRequest(const QUrl& url)
{
    if (!m_myWebView)
        return;
    if (m_myWebView->isLoading())
        m_myWebView->stopLoading();
    m_myWebView->loadRequest(url);
}

// Web view delegate ----------------------------------------------------------------------------

bool WebViewController::shouldStartLoadWithRequest(WebView*, const QUrl&, NavigationType, bool)
{
    return true;
}

void WebViewController::webViewDidStartLoad(WebView*)
{
    clearFailure();
    if (m_forwardbutton)
        m_forwardbutton->setEnabled(false);
    if (m_backbutton)
        m_backbutton->setEnabled(false);
    if (isAppearing())
        showLoading(0);
}

void WebViewController::webViewDidFinishLoad(WebView* webView)
{
    webView->stringByEvaluatingJavaScriptFromString(disableLinksScript());
    if (isAppearing())
        hideLoading();
    releaseTarget();
    if (m_backItem)
        m_backItem->setEnabled(true);
    deleteWhenIdle();
}

void WebViewController::didFailLoadWithError(WebView* webView, const QString&)
{
    // A failed load must not leave the screen locked behind the overlay: the user gets the
    // controls back and sees why the page is missing. A load this screen stopped itself
    // (popped, or no longer seen) leaves the overlay, which may be another screen's by now.
    if (isAppearing() && !m_released) {
        hideLoading();
        showLoadFailure(webView);
    }
    releaseTarget();
    if (m_backItem)
        m_backItem->setEnabled(true);
    deleteWhenIdle();
}

void WebViewController::showLoadFailure(WebView* webView)
{
    const FetchFailure& failure = webView->lastFailure();
    // A load stopped on the way is no failure to speak of.
    if (!failure.isFailure())
        return;
    m_failedLoad = webView->failedUrl();
    // A form is not posted twice behind the user's back: the site may have taken the first.
    m_retry = webView->lastLoadWasForm() ? Retry::None : Retry::Load;
    // Where the engine did not get as far as the new address, the page shown before stays in
    // view and the failure stands over it as a band; an answer with nothing to show leaves an
    // empty page, which the failure replaces.
    const bool pageStays = webView->hasShownPage() && webView->url() != m_failedLoad;
    showFailure(failure.isNoNetwork() ? QString() : failure.text(), m_retry == Retry::Load, pageStays);
}

// Overlay, opener, failure ---------------------------------------------------------------------

void WebViewController::showLoading(int offset)
{
    m_loading = LoadingIndicator::sharedInstance();
    m_loading->setParentView(view());
    m_loading->setString(kLoadingText);
    m_loading->setOffset(offset);
    m_loading->showLoadingIndicators();
}

void WebViewController::hideLoading()
{
    if (!m_loading)
        m_loading = LoadingIndicator::sharedInstance();
    m_loading->hideLoadingIndicators();
}

void WebViewController::releaseTarget()
{
    auto* list = qobject_cast<AllListViewController*>(m_target.data());
    if (!list)
        return;
    if (list->isViewLoaded())
        list->tableView()->setAllowsSelection(true);
    list->disableTabs(false);
}

void WebViewController::showFailure(const QString& reason, bool canTryAgain, bool band)
{
    if (!m_failureView) {
        auto* failure = new PageFailureView;
        connect(failure, &PageFailureView::actionTapped, this, [this] { tryAgain(); });
        m_failureView = failure;
    }
    m_failureView->setBand(band);
    // A band leaves the page below it in view; the page form takes the whole area.
    pageLayout(view())->addWidget(m_failureView, 0, 0, band ? Qt::AlignTop : Qt::Alignment());
    m_failureView->setFailure(reason.isEmpty() ? kFailureHeading : kFailureHeading + kFailureSeparator + reason,
                              canTryAgain ? kTryAgainTitle : QString());
    m_failureView->show();
    m_failureView->raise();
}

void WebViewController::clearFailure()
{
    if (m_failureView)
        m_failureView->deleteLater();
    m_failureView = nullptr;
}

void WebViewController::fetchPage(FetchPageGeneric::ClassType classType)
{
    m_fetchClass = classType;
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<QString> deliver(this, [this, outcome](QString html) {
        if (outcome->isFailure())
            fetchFailed(outcome->failure);
        else
            initializeWebView(html);
    });
    auto fetch = std::make_unique<FetchPageGeneric>(m_url, std::move(deliver), std::move(classType));
    fetch->setOutcome(outcome);
    m_operationQueue.addOperation(std::move(fetch));
}

void WebViewController::fetchFailed(const FetchFailure& failure)
{
    if (m_released)
        return;
    // The overlay may be the opener's, shown as it pushed this screen, or this screen's own.
    if (isAppearing() || overlayInView())
        hideLoading();
    releaseTarget();
    if (m_backItem)
        m_backItem->setEnabled(true);
    sayFetchFailed(failure);
}

void WebViewController::sayFetchFailed(const FetchFailure& failure)
{
    m_retry = Retry::Fetch;
    showFailure(failureReason(failure), true, m_myWebView != nullptr);
}

QString WebViewController::failureReason(const FetchFailure& failure) const
{
    // A lost network is said once, by the window's band.
    return failure.isNoNetwork() ? QString() : failure.text();
}

void WebViewController::refetch()
{
    if (!m_fetchClass)
        return;
    showLoading(0);
    fetchPage(m_fetchClass);
}

void WebViewController::tryAgain()
{
    if (m_released)
        return;
    const Retry retry = m_retry;
    clearFailure();
    switch (retry) {
    case Retry::Fetch:
        refetch();
        return;
    case Retry::Load:
        // Straight to the web view: the tabs' loadRequest loads nothing of its own.
        if (m_myWebView && m_failedLoad.isValid()) {
            if (m_myWebView->isLoading())
                m_myWebView->stopLoading();
            m_myWebView->loadRequest(m_failedLoad);
        }
        return;
    case Retry::None:
        return;
    }
}

// Lifetime -------------------------------------------------------------------------------------

void WebViewController::release()
{
    m_released = true;
    if (m_myWebView && m_myWebView->isLoading()) {
        // Kept until the load has ended (stopped by now, normally): the web view still
        // reports to this screen.
        m_myWebView->stopLoading();
        return;
    }
    deleteWhenIdle();
}

void WebViewController::deleteWhenIdle()
{
    if (!m_released || m_deleteScheduled)
        return;
    m_deleteScheduled = true;
    ViewController::release();
}
