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
    // Filters edited meanwhile apply to the pages that come from now on.
    reloadFilters();
    // A first batch still on its way (the screen came back from the filters) is not asked
    // for again.
    if (!m_torrentData && !isBatchRunning()) {
        m_currentPage = 1;
        fetchNextXPages(m_numPages, 1);
    }
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
    Callback<std::optional<QList<Torrent>>> deliver(this, [this, generation](std::optional<QList<Torrent>> torrents) {
        if (generation == m_batchGeneration)
            loadedTorrents(std::move(torrents));
    });
    m_operationQueueMultiple->addOperation(
        std::make_unique<FetchPageAllTorrents>(url, std::move(deliver), priorityQueue, priority, dependPriority));
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
    table->setAllowsSelection(true);

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
