#include "screens/pages/TorrentWebViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/WebView.h"
#include "screens/common/AllListViewController.h"
#include "site/FetchPageDetails.h"

TorrentWebViewController::TorrentWebViewController(const QUrl& url, int tag, ViewController* target,
                                                   QObject* parent)
    : WebViewController(url, target, parent)
    , m_tag(tag)
{
    fetchDetails();
}

void TorrentWebViewController::fetchDetails()
{
    // Fetched on the queue, not here: a slow site must not hold the whole application.
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<DetailsPage> deliver(this, [this, outcome](DetailsPage page) {
        if (outcome->isFailure())
            detailsFailed(outcome->failure);
        else
            detailsLoaded(std::move(page));
    });
    auto fetch = std::make_unique<FetchPageDetails>(m_url, std::move(deliver));
    fetch->setOutcome(outcome);
    m_operationQueue.addOperation(std::move(fetch));
}

void TorrentWebViewController::detailsFailed(const FetchFailure& failure)
{
    // Said when the view is there: a failure may come before the screen has been shown.
    m_pendingFailure = failure;
    if (isViewLoaded())
        showPendingFailure();
}

void TorrentWebViewController::showPendingFailure()
{
    if (!m_pendingFailure)
        return;
    const FetchFailure failure = *m_pendingFailure;
    m_pendingFailure.reset();
    fetchFailed(failure);
    updateHistoryButtons();
}

void TorrentWebViewController::refetch()
{
    showLoading(0);
    fetchDetails();
}

Button* TorrentWebViewController::imdbButton() const { return m_imdbButton; }
Button* TorrentWebViewController::downloadButton() const { return m_downloadButton; }

QString TorrentWebViewController::detailsScript()
{
    return QStringLiteral(
        "var d = document.getElementsByTagName('a');"
        "for (var i = 0; i < d.length; i++) {"
        "  if (d[i].getAttribute('target') == '_blank') d[i].removeAttribute('target');"
        "  var h = d[i].getAttribute('href');"
        "  if (h != null && /torrent$/.test(h)) d[i].removeAttribute('href');"
        "}");
}

void TorrentWebViewController::viewDidLoad()
{
    auto* left = new QWidget;
    left->resize(160, 30);
    Button* back = makeToolbarButton(QStringLiteral("back.png"), 0, left);
    back->setObjectName(QStringLiteral("backButton"));
    connect(back, &Button::touchUpInside, this, [this] { cancel(); });
    m_backbutton = makeToolbarButton(QStringLiteral("previous-toolbar.png"), 65, left);
    m_backbutton->setObjectName(QStringLiteral("previousButton"));
    connect(m_backbutton, &Button::touchUpInside, this, [this] { goBack(); });
    // Nothing to go back to before the details are here.
    m_backbutton->setEnabled(false);
    navigationItem()->setLeftView(left);

    if (m_detailsKnown)
        makeRightItem();
    else if (m_pendingFailure)
        showPendingFailure();
    else
        showLoading(0);
}

void TorrentWebViewController::detailsLoaded(DetailsPage page)
{
    if (isReleased())
        return;
    m_result = page.result;
    m_imdb = page.imdb;
    m_detailsKnown = true;
    m_stackCounter = 0;
    makeWebView(m_result, baseUrl());
    if (isViewLoaded())
        makeRightItem();
}

void TorrentWebViewController::makeRightItem()
{
    if (navigationItem()->rightView())
        return;
    auto* right = new QWidget;
    right->resize(180, 30);
    if (!m_imdb.isEmpty()) {
        m_imdbButton = makeToolbarButton(QStringLiteral("imdb-toolbar.png"), 0, right);
        m_imdbButton->setObjectName(QStringLiteral("imdbButton"));
        connect(m_imdbButton, &Button::touchUpInside, this, [this] { didTapImdbButton(); });
    }
    m_forwardbutton = makeToolbarButton(QStringLiteral("forward-toolbar.png"), 65, right);
    m_forwardbutton->setObjectName(QStringLiteral("nextButton"));
    connect(m_forwardbutton, &Button::touchUpInside, this, [this] { goForward(); });
    m_downloadButton = makeToolbarButton(QStringLiteral("download-toolbar.png"), 130, right);
    m_downloadButton->setObjectName(QStringLiteral("downloadButton"));
    m_downloadButton->setTag(m_tag);
    connect(m_downloadButton, &Button::touchUpInside, this, [this](Button* sender) {
        if (auto* list = qobject_cast<AllListViewController*>(m_target.data()))
            list->didTapDownloadButton(sender->tag());
    });
    // While a load runs the history buttons wait for its end.
    const bool loading = m_myWebView && m_myWebView->isLoading();
    m_forwardbutton->setEnabled(!loading && m_myWebView && m_myWebView->canGoForward());
    // 10 points in from the bar's edge, not 20: at 20 the film button's left 5 points lay
    // on the previous button.
    navigationItem()->setRightViewOffset(QPoint(-10, 0));
    navigationItem()->setRightView(right);
}

void TorrentWebViewController::resumeInterruptedLoad()
{
    m_stackCounter = 0;
    WebViewController::resumeInterruptedLoad();
}

void TorrentWebViewController::didTapImdbButton()
{
    if (m_myWebView && !m_imdb.isEmpty())
        m_myWebView->loadRequest(QUrl(m_imdb));
}

void TorrentWebViewController::updateHistoryButtons()
{
    if (m_forwardbutton)
        m_forwardbutton->setEnabled(m_myWebView && m_myWebView->canGoForward());
    if (m_backbutton)
        m_backbutton->setEnabled((m_myWebView && m_myWebView->canGoBack()) || m_stackCounter == 1);
}

void TorrentWebViewController::webViewDidFinishLoad(WebView* webView)
{
    webView->stringByEvaluatingJavaScriptFromString(detailsScript());
    if (isAppearing())
        hideLoading();
    updateHistoryButtons();
    m_stackCounter = 1;
    WebViewController::deleteWhenIdle();
}

void TorrentWebViewController::didFailLoadWithError(WebView* webView, const QString& error)
{
    WebViewController::didFailLoadWithError(webView, error);
    updateHistoryButtons();
}
