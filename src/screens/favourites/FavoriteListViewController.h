#pragma once

#include "screens/common/AllListViewController.h"
#include "site/PriorityList.h"

#include <memory>
#include <optional>

// The second tab, "Favorite Torrents": the site's recent torrents (all categories and
// languages, default order) whose names match at least one favourite filter. Matches are
// rare, so it asks for a batch of pages at once, fetched side by side on a queue of its own,
// filters each page as it comes, and appends the pages strictly in page order, whatever order
// they finish in. While a batch runs the screen shows "Filtering...", the tabs are locked, the
// table stands still and the load-more row does nothing.
//
// The page counter is the last page asked for, so the load-more row shows the range of the
// page after it and starts the next batch there.
class FavoriteListViewController : public AllListViewController
{
    Q_OBJECT
public:
    static constexpr int kMultipleWidth = 10;

    explicit FavoriteListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    void viewWillAppear(bool animated) override;

    // Queues `count` pages from `startPage` on, delivered in page order.
    void fetchNextXPages(int count, int startPage);
    // The load-more hook: a batch of numPages() pages from `page` on.
    void fetchPage(int page) override;
    // Queues one page of a batch: delivered once `dependPriority` (absent for the first page
    // of a batch) has left the batch's list.
    void fetchPage(int page, const std::shared_ptr<PriorityList>& priorityQueue, int priority,
                   std::optional<int> dependPriority);
    void loadedTorrents(std::optional<QList<Torrent>> torrents) override;

    void didRefresh() override;
    void didSettings() override;
    void didFilters() override;
    // The filters from the store, in stored order.
    void reloadFilters();

    OperationQueue& operationQueueMultiple() { return *m_operationQueueMultiple; }
    // Pages per batch, read from the store at each appearance.
    int numPages() const { return m_numPages; }
    // Pages of the current batch not yet handed over; 0 when no batch runs.
    int pagesPending() const { return m_pagesPending; }
    bool isBatchRunning() const { return m_pagesPending > 0; }

protected:
    bool isFavoritesList() const override { return true; }
    bool loadMoreRowTakesTouches() const override;

private:
    // Every page of the batch has been handed over.
    void batchFinished();

    std::unique_ptr<OperationQueue> m_operationQueueMultiple;
    int m_numPages = 5;
    // Counted on the user interface thread, so the end of a batch does not depend on whether
    // the operation that has just delivered is still counted by its queue.
    int m_pagesPending = 0;
    // A refresh during a batch starts a new one; pages of the old one still on their way are
    // not shown.
    int m_batchGeneration = 0;
};
