#pragma once

#include "pages/WebViewController.h"

struct DetailsPage;

// A torrent's details page, cut down to its details table, with a toolbar: back, previous,
// the film database link (when the page has one), next, and download, which asks the opener
// to send the torrent of row `tag`. Links that open new windows open here instead, and links
// to .torrent files are disabled (the download button fetches those).
//
// The page is fetched on the screen's queue while the busy overlay shows; the right half of
// the toolbar is made once the page (and so its film link) is known.
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

    // Loads the text into the existing web view, without storing it.
    void initializeWebView(QString html) override;
    void viewDidLoad() override;
    void webViewDidFinishLoad(WebView* webView) override;
    void didFailLoadWithError(WebView* webView, const QString& error) override;

    void didTapImdbButton();

    // The script run after each load: "_blank" targets and links ending in "torrent" go.
    static QString detailsScript();

private:
    // The details fetch's result.
    void detailsLoaded(DetailsPage page);
    void makeRightItem();
    void updateHistoryButtons();

    int m_tag;
    QString m_imdb;
    bool m_detailsKnown = false;
    QPointer<Button> m_imdbButton;
    QPointer<Button> m_downloadButton;
};
