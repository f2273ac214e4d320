#include "screens/favourites/FavoriteListViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "screens/favourites/EditFavoriteListViewController.h"
#include "screens/favourites/FavoriteDisplaySettingsViewController.h"
#include "settings/Settings.h"
#include "site/FetchPageAllTorrents.h"
#include "site/ListingQuery.h"
#include "views/HeaderView.h"
#include "views/LoadingIndicator.h"
#include "views/TorrentItemTableViewCell.h"
#include "watch/WatchMatch.h"
#include "watch/WatchUnseen.h"

const QString FavoriteListViewController::kNoFiltersText = QStringLiteral(
    "You have no favourite filters yet. Add one, and the recent torrents whose names match it are shown here.");
const QString FavoriteListViewController::kAddFilterTitle = QStringLiteral("Add a filter");

FavoriteListViewController::FavoriteListViewController(TableViewStyle style, QObject* parent)
    : AllListViewController(style, parent)
    , m_operationQueueMultiple(std::make_unique<OperationQueue>(kMultipleWidth))
{
    reloadFilters();
    setTitle(QStringLiteral("Favorite Torrents"));
    setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Favorites, 1));
    m_headerView->settingsBtn()->setHidden(false);
    m_headerView->filtersBtn()->setHidden(false);
}

void FavoriteListViewController::viewWillAppear(bool animated)
{
    // Not the recent list's appearing, which would ask for page 1 alone.
    prepareAppearance(animated);
    m_numPages = FavoriteDisplaySettingsViewController::storedCount();
    QSet<QString> unseen = WatchUnseen::keys();
    if (unseen != m_unseen) {
        m_unseen = std::move(unseen);
        if (m_torrentData)
            tableView()->reloadData(); // the rows' badges
    }
    // Filters edited meanwhile apply to the pages that come from now on.
    reloadFilters();
    // A first batch still on its way (the screen came back from the filters) is not asked
    // for again.
    if (showNoFiltersNotice())
        return;
    if (m_waitingForFilters) {
        // The first filter was added meanwhile: the list starts now.
        m_waitingForFilters = false;
        clearNotice();
        m_torrentData.reset();
    }
    if (!m_torrentData && !isBatchRunning()) {
        m_currentPage = 1;
        fetchNextXPages(m_numPages, 1);
    } else if (m_torrentData && !isBatchRunning() && settingsChangedSinceFetch()) {
        // A filter added or removed, or another number of pages, since these rows came.
        didRefresh();
    }
}

bool FavoriteListViewController::showNoFiltersNotice()
{
    if (!m_filters.isEmpty() || isBatchRunning())
        return false;
    // Every torrent would be dropped: nothing is asked of the site.
    m_waitingForFilters = true;
    m_torrentData = QList<Torrent>();
    m_noMoreTorrents = true;
    showNotice(kNoFiltersText, kAddFilterTitle, [this] { openFilterForm(); });
    return true;
}

void FavoriteListViewController::openFilterForm()
{
    didFilters();
    NavigationController* navigation = navigationController();
    if (auto* edit = navigation ? qobject_cast<EditFavoriteListViewController*>(navigation->topViewController()) : nullptr)
        edit->addFavorite();
}

void FavoriteListViewController::reloadFilters()
{
    m_filters.clear();
    for (const QString& text : Settings::filters())
        m_filters.append(Filter(text));
}

// Pages -----------------------------------------------------------------------------------------

void FavoriteListViewController::fetchNextXPages(int count, int startPage)
{
    if (count < 1)
        return;
    m_failedPages.clear();
    m_failureReason.clear();
    m_cutShort = false;
    clearNotice();
    noteFetchedUnder(Settings::Listing::Favorites);
    auto priorityQueue = std::make_shared<PriorityList>();
    priorityQueue->fill(startPage, count);
    // The first page waits for nothing, whatever its number; each next one for the page
    // before it.
    fetchPage(startPage, priorityQueue, startPage, std::nullopt);
    for (int i = 1; i < count; ++i)
        fetchPage(startPage + i, priorityQueue, startPage + i, startPage + i - 1);
}

void FavoriteListViewController::fetchPage(int page)
{
    fetchNextXPages(m_numPages, page);
}

void FavoriteListViewController::fetchPage(int page, const std::shared_ptr<PriorityList>& priorityQueue,
                                           int priority, std::optional<int> dependPriority)
{
    m_currentPage = page;
    ++m_pagesPending;
    const QUrl url = ListingQuery().url(page);
    showLoading(QStringLiteral("Filtering..."));
    TableView* table = tableView();
    table->setScrollEnabled(false);
    table->setAllowsSelection(false);
    disableTabs(true);

    const int generation = m_batchGeneration;
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<std::optional<QList<Torrent>>> deliver(
        this, [this, generation, page, outcome](std::optional<QList<Torrent>> torrents) {
            if (generation == m_batchGeneration)
                loadedBatchPage(page, std::move(torrents), *outcome);
        });
    auto fetch = std::make_unique<FetchPageAllTorrents>(url, std::move(deliver), priorityQueue, priority, dependPriority);
    fetch->setOutcome(outcome);
    m_operationQueueMultiple->addOperation(std::move(fetch));
}

void FavoriteListViewController::loadedBatchPage(int page, std::optional<QList<Torrent>> torrents,
                                                 const FetchOutcome& outcome)
{
    if (!outcome.isFailure()) {
        m_cutShort = m_cutShort || outcome.cutShort;
        loadedTorrents(std::move(torrents));
        return;
    }
    // The pages that came are shown; this one is named when the batch ends.
    m_failedPages.append(page);
    // A lost network is said by the window's band, not here.
    if (m_failureReason.isEmpty() && !outcome.failure.isNoNetwork())
        m_failureReason = outcome.failure.text();
    if (!m_torrentData)
        m_torrentData = QList<Torrent>();
    if (m_pagesPending > 0 && --m_pagesPending == 0)
        batchFinished();
    allowSelectionUnlessLoading();
    tableView()->reloadData();
}

QString FavoriteListViewController::failedPagesText(const QList<int>& pages, const QString& reason)
{
    QStringList numbers;
    for (const int page : pages)
        numbers.append(QString::number(page));
    const QString which = pages.size() == 1 ? QStringLiteral("Page %1 could not be loaded.")
                                            : QStringLiteral("Pages %1 could not be loaded.");
    const QString named = which.arg(numbers.join(QStringLiteral(", ")));
    return reason.isEmpty() ? named : named + QLatin1Char(' ') + reason;
}

void FavoriteListViewController::retryFailedPages()
{
    const QList<int> pages = m_failedPages;
    if (pages.isEmpty() || isBatchRunning())
        return;
    clearNotice();
    m_failedPages.clear();
    m_failureReason.clear();
    m_cutShort = false;
    // The load-more counter stays on the last page asked for: only the gaps are filled.
    const int lastAsked = m_currentPage;
    auto priorityQueue = std::make_shared<PriorityList>();
    for (const int page : pages)
        priorityQueue->append(page);
    for (qsizetype i = 0; i < pages.size(); ++i)
        fetchPage(pages[i], priorityQueue, pages[i], i == 0 ? std::nullopt : std::optional<int>(pages[i - 1]));
    m_currentPage = lastAsked;
}

void FavoriteListViewController::loadedTorrents(std::optional<QList<Torrent>> torrents)
{
    TableView* table = tableView();
    if (m_refreshed) {
        if (m_torrentData)
            m_torrentData->clear();
        m_refreshed = false;
    }
    m_noMoreTorrents = !torrents || torrents->isEmpty();
    if (m_pagesPending > 0 && --m_pagesPending == 0)
        batchFinished();
    // Until the batch has ended the rows keep moving under the finger: a tap meant for the
    // load-more row would land on a torrent appended where it was drawn.
    allowSelectionUnlessLoading();

    if (torrents) {
        // With no filters every torrent is dropped.
        filterData(*torrents);
        if (m_torrentData)
            m_torrentData->append(*torrents);
        else
            m_torrentData = std::move(torrents);
    }
    table->reloadData();
}

void FavoriteListViewController::batchFinished()
{
    if (!m_failedPages.isEmpty()) {
        // "Try again" stands where the load-more row was. A refresh whose pages all failed
        // keeps the rows it would have replaced until trying again brings the new ones.
        m_noMoreTorrents = true;
        showNotice(failedPagesText(m_failedPages, m_failureReason), kTryAgainTitle, [this] { retryFailedPages(); });
    } else if (m_cutShort) {
        m_noMoreTorrents = false;
        showNotice(kCutShortText);
    } else {
        clearNotice();
    }
    tableView()->setScrollEnabled(true);
    if (m_loading)
        m_loading->hideLoadingIndicators();
    disableTabs(false);
    if (Button* refresh = m_headerView ? m_headerView->refreshBtn() : nullptr)
        refresh->setEnabled(true);
}

bool FavoriteListViewController::loadMoreRowTakesTouches() const
{
    return !isBatchRunning() && AllListViewController::loadMoreRowTakesTouches();
}

// Header --------------------------------------------------------------------------------------

void FavoriteListViewController::didRefresh()
{
    fetchUserFigures();
    TableView* table = tableView();
    table->scrollToTop(false);
    table->setScrollEnabled(false);
    // The pages of a batch still running are dropped: the new batch replaces them.
    ++m_batchGeneration;
    m_pagesPending = 0;
    m_refreshed = true;
    m_headerView->refreshBtn()->setEnabled(false);
    m_currentPage = 1;
    fetchNextXPages(m_numPages, 1);
}

void FavoriteListViewController::didSettings()
{
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(FavoriteDisplaySettingsViewController::sharedInstance(), true);
}

void FavoriteListViewController::didFilters()
{
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(new EditFavoriteListViewController(TableViewStyle::Plain), true);
}

TableViewCell* FavoriteListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    TableViewCell* cell = AllListViewController::cellForRowAtIndexPath(tableView, indexPath);
    if (auto* row = qobject_cast<TorrentItemTableViewCell*>(cell)) {
        const bool isNew = torrentData() && indexPath.row < torrentData()->size()
                           && m_unseen.contains(WatchMatch::key(torrentData()->at(indexPath.row)));
        row->setWatchedNew(isNew);
    }
    return cell;
}

void FavoriteListViewController::viewWillDisappear(bool animated)
{
    AllListViewController::viewWillDisappear(animated);
    // Seen now: the next appearance shows them as any other row.
    WatchUnseen::remove(m_unseen);
}
