#pragma once

#include "platform/core/OperationQueue.h"
#include "platform/ui/TableViewController.h"
#include "settings/Filter.h"
#include "settings/Settings.h"
#include "site/ImageLoader.h"
#include "site/FetchOutcome.h"
#include "site/Torrent.h"
#include "views/BannerView.h"
#include "views/HeaderView.h"
#include "views/HeaderViewDelegate.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class FetchPage;
class LoadingIndicator;
class SendingTorrentIndicator;
class TableViewCell;
class UserInfo;

// The first tab, "All Torrents": the site's most recent torrents in the category, language and
// order of the display settings, one site page of 50 at a time with a load-more row at the
// end. A tap on a row opens the torrent's details; a row's download button sends the torrent
// to the remote client. Above the table stand the banner and the header with the user's
// figures and the screen's buttons.
//
// The base of the favourites, search, snatch list and friends screens: they replace the
// virtual hooks and reach the fields below.
class AllListViewController : public TableViewController, public HeaderViewDelegate
{
    Q_OBJECT
public:
    static constexpr int kTorrentsPerPage = 50;
    static constexpr double kRowHeight = 37;
    static constexpr int kLoadMoreHeight = 36;
    // The table (and the search bar) starts this far below the banner: under the header's
    // drawn band (its 45-point buttons row), not 34 points down inside it, where the band
    // covered the first row's top and no scrolling brought it out.
    static constexpr int kTableOffset = 45;

    explicit AllListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);
    ~AllListViewController() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Table.
    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;

    // Asks for one site page.
    virtual void fetchPage(int page);
    // A page has arrived: rows appended (or, after a refresh, in place of the old ones); absent
    // when the page could not be read.
    virtual void loadedTorrents(std::optional<QList<Torrent>> torrents);
    // A page has arrived with how its fetch went: a failed one keeps the rows shown and says
    // why, with "Try again" for that same page; one read only in part says so and keeps the
    // load-more row.
    virtual void loadedListing(std::optional<QList<Torrent>> torrents, const FetchOutcome& outcome, int page);
    // Ends the wait for `page`, which failed: the rows stay, the notice says why.
    void failedPage(const FetchFailure& failure, int page);
    // "Try again" after a failed page.
    virtual void retryPage(int page);

    // The notice row (after the rows, before the load-more row): what the list says about
    // itself. Null message: none.
    QString noticeText() const { return m_notice ? m_notice->message : QString(); }
    QString noticeButtonTitle() const { return m_notice ? m_notice->buttonTitle : QString(); }
    // Taps the notice's button, as the user does.
    void tapNoticeButton();

    static const QString kCutShortText;
    static const QString kTryAgainTitle;
    // What a notice says of a failure: its reason, but not a lost network, which the window's
    // band says once for every screen ("Not loaded." then).
    static QString failureNotice(const FetchFailure& failure);
    static const QString kNotLoadedText;

    // HeaderViewDelegate.
    void didRefresh() override;
    void didSettings() override;
    // A member's profile; a null name is the signed-in user.
    void didSelectProfile(const QString& username) override;

    // Drops, in place, the torrents that no filter accepts (on the favourites screen, or
    // wherever filters are set); an empty list marks the end of the pages.
    virtual void filterData(QList<Torrent>& torrents);
    // Locks or unlocks every tab of the tab bar and the "More" tab.
    virtual void disableTabs(bool disable);
    // The picture for a torrent's category: a bundle picture by name, or a remote one by URL
    // (an empty placeholder until it has loaded).
    virtual QImage cachedImageForTorrent(const QString& key);
    // A remote picture has loaded.
    virtual void imageReady(LoadedImage image);
    // Sends the torrent of row `tag` to the remote client.
    virtual void didTapDownloadButton(int tag);
    // A send has finished: the torrent's name, or a null text when it failed.
    virtual void downloadedFinished(QString name);
    // The header's figures from the signed-in user's record.
    virtual void reloadHeaderView();
    // Reads the signed-in user's figures from their own profile page again; the header shows
    // them when they have come.
    void fetchUserFigures();

    // Fields, for the screens built on this one and for tests.
    const std::optional<QList<Torrent>>& torrentData() const { return m_torrentData; }
    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page) { m_currentPage = page; }
    int sendingTorrentCount() const { return m_sendingTorrentCount; }
    bool noMoreTorrents() const { return m_noMoreTorrents; }
    bool isRefreshed() const { return m_refreshed; }
    QList<Filter>& filters() { return m_filters; }
    OperationQueue& operationQueue() { return *m_operationQueue; }
    OperationQueue& imageOperationQueue() { return *m_imageOperationQueue; }
    const QHash<QString, QImage>& cachedImages() const { return m_cachedImages; }
    HeaderView* headerView() const { return m_headerView; }
    BannerView* adMobAd() const { return m_adMobAd; }
    LoadingIndicator* loading() const { return m_loading; }
    SendingTorrentIndicator* loadingTorrent() const { return m_loadingTorrent; }
    UserInfo* userInfo() const { return m_userInfo; }

    // The text of the sending overlay for a count: "Sending %@ torrent%@ to server", the count
    // and "s" from 2 on, two empty texts for 1.
    static QString sendingText(int count);
    // The load-more row's range for the page last asked for, "[%d-%d]".
    static QString pageRangeText(int currentPage);

protected:
    // True on the favourites screen: with no filters it shows nothing.
    virtual bool isFavoritesList() const { return false; }
    // Whether the load-more row takes a tap now (the delivering fetch may still be counted).
    virtual bool loadMoreRowTakesTouches() const;
    // Remembers that the rows about to be fetched follow the settings of `listing` as they
    // are now.
    void noteFetchedUnder(Settings::Listing listing);
    // Whether those settings changed since the rows shown were fetched: the list then asks
    // for page 1 again when it appears, rather than show rows the new settings would not.
    bool settingsChangedSinceFetch() const;
    // Whether pages asked for are still on their way (base: those asked through listingFetch).
    virtual bool isLoadingPages() const { return m_pagesInFlight > 0; }
    // Gives the table its taps back unless a page is still on its way: rows about to be
    // replaced or extended must not take a tap meant for what was drawn there.
    void allowSelectionUnlessLoading();
    // What every list does on appearing before it decides what to fetch: the header's figures
    // again, and no navigation bar.
    void prepareAppearance(bool animated);
    // Shows the shared page loading overlay with `text` over the window.
    void showLoading(const QString& text);
    // The screen's own view before the table is placed (the search screen adds its bar).
    QWidget* contentView() const { return m_contentView; }
    bool isLoadMoreRow(const IndexPath& indexPath) const;
    // The notice row stands right after the `dataRows` rows of the list.
    void showNotice(const QString& message, const QString& buttonTitle = QString(),
                    std::function<void()> action = {});
    void clearNotice();
    bool hasNotice() const { return m_notice.has_value(); }
    bool isNoticeRow(const IndexPath& indexPath, qsizetype dataRows) const;
    TableViewCell* noticeCell(TableView* tableView);
    // The notice row's height in this table: the whole message and its button.
    double noticeHeight(const TableView* tableView) const;
    // A fetch of listing page `page` whose result and outcome go to loadedListing, unless
    // `stillWanted` (when given) says the screen has moved on.
    std::unique_ptr<FetchPage> listingFetch(const QUrl& url, int page, std::function<bool()> stillWanted = {});

    std::optional<QList<Torrent>> m_torrentData;
    std::unique_ptr<OperationQueue> m_operationQueue;
    std::unique_ptr<OperationQueue> m_imageOperationQueue;
    QList<Filter> m_filters;
    LoadingIndicator* m_loading = nullptr;
    SendingTorrentIndicator* m_loadingTorrent = nullptr;
    int m_currentPage = 0;
    int m_sendingTorrentCount = 0;
    QHash<QString, QImage> m_cachedImages;
    UserInfo* m_userInfo = nullptr;
    QPointer<HeaderView> m_headerView;
    QPointer<BannerView> m_adMobAd;
    QPointer<QWidget> m_contentView;
    bool m_noMoreTorrents = false;
    bool m_refreshed = false;
    int m_pagesInFlight = 0;

private:
    // Queues the hand-off of the torrent (the sending overlay shows meanwhile).
    void sendTorrent(const Torrent& torrent);

    // Names being sent, in the order their hand-offs were queued (the queue runs them in
    // turn), and the name the send-again question is up for: a torrent is sent once at a time.
    QStringList m_sendingNames;
    QString m_askingName;

    struct Notice
    {
        QString message;
        QString buttonTitle;
        std::function<void()> action;
    };
    std::optional<Notice> m_notice;

    struct FetchedUnder
    {
        Settings::Listing listing;
        quint64 generation;
    };
    std::optional<FetchedUnder> m_fetchedUnder;

    TableViewCell* loadMoreCell(TableView* tableView);
    TableViewCell* torrentCell(TableView* tableView, const Torrent& torrent, int row);
};
