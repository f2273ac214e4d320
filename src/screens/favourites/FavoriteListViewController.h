#pragma once

#include "screens/common/AllListViewController.h"
#include "site/PriorityList.h"

#include <QSet>

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
    // One page of a batch with how its fetch went: a failed page is kept aside and named once
    // the batch ends; the others are shown.
    void loadedBatchPage(int page, std::optional<QList<Torrent>> torrents, const FetchOutcome& outcome);
    // "Try again" after a batch with failed pages: only those are asked again.
    void retryFailedPages();
    // The pages of the last batch that failed, in page order.
    QList<int> failedPages() const { return m_failedPages; }

    static const QString kNoFiltersText;
    static const QString kAddFilterTitle;
    // "Page 3 could not be loaded. The site answered 503." / "Pages 2, 4 could not be ...".
    static QString failedPagesText(const QList<int>& pages, const QString& reason);

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

    // Rows the watch found that were not on screen before this appearance carry a "new"
    // badge; once the screen goes away they count as seen.
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void viewWillDisappear(bool animated) override;
    const QSet<QString>& unseen() const { return m_unseen; }

protected:
    bool isFavoritesList() const override { return true; }
    bool loadMoreRowTakesTouches() const override;
    bool isLoadingPages() const override { return isBatchRunning() || AllListViewController::isLoadingPages(); }

private:
    // Every page of the batch has been handed over.
    void batchFinished();
    // With no filter there is nothing to show: the notice says how to add one.
    bool showNoFiltersNotice();
    void openFilterForm();

    std::unique_ptr<OperationQueue> m_operationQueueMultiple;
    int m_numPages = 5;
    // Counted on the user interface thread, so the end of a batch does not depend on whether
    // the operation that has just delivered is still counted by its queue.
    int m_pagesPending = 0;
    // A refresh during a batch starts a new one; pages of the old one still on their way are
    // not shown.
    int m_batchGeneration = 0;
    QList<int> m_failedPages;
    QString m_failureReason; // of the first failed page of the batch
    bool m_cutShort = false; // a page of the batch was read only in part
    bool m_waitingForFilters = false;
    QSet<QString> m_unseen; // read at each appearance
};
