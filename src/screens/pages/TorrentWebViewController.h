#pragma once

#include "platform/core/FetchFailure.h"
#include "screens/common/WebViewController.h"

#include <optional>

struct DetailsPage;

// A torrent's details page, cut down to its details table, with a toolbar: back, previous,
// the film database link (when the page has one), next, and download, which asks the opener
// to send the torrent of row `tag`. Links that open new windows open here instead, and links
// to .torrent files are disabled (the download button fetches those).
//
// The page is fetched on the screen's queue while the busy overlay shows; the right half of
// the toolbar is made once the page (and so its film link) is known. The details text is
// shown in a new web view each time (first, and when "previous" has no history left), so
// that the web view's history starts there and "previous" stays off until a page is
// followed.
class TorrentWebViewController : public WebViewController
{
    Q_OBJECT
public:
    TorrentWebViewController(const QUrl& url, int tag, ViewController* target, QObject* parent = nullptr);

    int tag() const { return m_tag; }
    // The film database's title page; null when the page has no link (or is not here yet).
    QString imdb() const { return m_imdb; }
    Button* imdbButton() const;
    Button* downloadButton() const;

    void viewDidLoad() override;
    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;

    void didTapImdbButton();

    // The script run after each load: "_blank" targets and links ending in "torrent" go.
    static QString detailsScript();

protected:
    // Shows the details text again, as "previous" does when there is no history.
    void resumeInterruptedLoad() override;
    // Fetches the details again after a failure.
    void refetch() override;

private:
    void fetchDetails();
    // The details fetch's result, or why it failed.
    void detailsLoaded(DetailsPage page);
    void detailsFailed(const FetchFailure& failure);
    void showPendingFailure();
    void makeRightItem();
    void updateHistoryButtons();

    int m_tag;
    QString m_imdb;
    bool m_detailsKnown = false;
    std::optional<FetchFailure> m_pendingFailure;
    QPointer<Button> m_imdbButton;
    QPointer<Button> m_downloadButton;
};
