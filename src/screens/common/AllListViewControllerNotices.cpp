// The list's notices: a page that failed, with "Try again"; a page read only in part; what
// a screen says about an empty list.
#include "screens/common/AllListViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "site/FetchPageAllTorrents.h"
#include "views/HeaderView.h"
#include "views/LoadingIndicator.h"
#include "views/NoticeItemView.h"

namespace {
const QString kNoticeCell = QStringLiteral("Notice");
} // namespace

const QString AllListViewController::kCutShortText = QStringLiteral("Some torrents on this page could not be read.");
const QString AllListViewController::kTryAgainTitle = QStringLiteral("Try again");
const QString AllListViewController::kNotLoadedText = QStringLiteral("Not loaded.");

QString AllListViewController::failureNotice(const FetchFailure& failure)
{
    return failure.isNoNetwork() ? kNotLoadedText : failure.text();
}

std::unique_ptr<FetchPage> AllListViewController::listingFetch(const QUrl& url, int page,
                                                               std::function<bool()> stillWanted)
{
    auto outcome = std::make_shared<FetchOutcome>();
    ++m_pagesInFlight;
    Callback<std::optional<QList<Torrent>>> deliver(
        this, [this, outcome, page, stillWanted = std::move(stillWanted)](std::optional<QList<Torrent>> torrents) {
            --m_pagesInFlight;
            if (!stillWanted || stillWanted())
                loadedListing(std::move(torrents), *outcome, page);
        });
    auto fetch = std::make_unique<FetchPageAllTorrents>(url, std::move(deliver));
    fetch->setOutcome(outcome);
    return fetch;
}

void AllListViewController::loadedListing(std::optional<QList<Torrent>> torrents, const FetchOutcome& outcome,
                                          int page)
{
    if (outcome.isFailure()) {
        failedPage(outcome.failure, page);
        return;
    }
    loadedTorrents(std::move(torrents));
    if (outcome.cutShort) {
        // The rows after the point where reading stopped are still on the site.
        m_noMoreTorrents = false;
        showNotice(kCutShortText);
    }
}

void AllListViewController::failedPage(const FetchFailure& failure, int page)
{
    TableView* table = tableView();
    if (m_loading)
        m_loading->hideLoadingIndicators();
    disableTabs(false);
    allowSelectionUnlessLoading();
    table->setScrollEnabled(true);
    if (Button* refresh = m_headerView ? m_headerView->refreshBtn() : nullptr)
        refresh->setEnabled(true);
    // A failed refresh keeps the rows it would have replaced; trying again refreshes again.
    const bool refreshed = m_refreshed;
    m_refreshed = false;
    if (!m_torrentData)
        m_torrentData = QList<Torrent>();
    // "Try again" stands where the load-more row was; that row comes back with the page.
    m_noMoreTorrents = true;
    showNotice(failureNotice(failure), kTryAgainTitle, [this, page, refreshed] {
        if (refreshed)
            didRefresh();
        else
            retryPage(page);
    });
}

void AllListViewController::retryPage(int page)
{
    clearNotice();
    m_currentPage = page;
    fetchPage(page);
}

void AllListViewController::showNotice(const QString& message, const QString& buttonTitle,
                                       std::function<void()> action)
{
    m_notice = Notice{message, buttonTitle, std::move(action)};
    if (isViewLoaded())
        tableView()->reloadData();
}

void AllListViewController::clearNotice()
{
    if (!m_notice)
        return;
    m_notice.reset();
    if (isViewLoaded())
        tableView()->reloadData();
}

void AllListViewController::tapNoticeButton()
{
    if (!m_notice || !m_notice->action)
        return;
    // The action may replace the notice it belongs to.
    const std::function<void()> action = m_notice->action;
    action();
}

bool AllListViewController::isNoticeRow(const IndexPath& indexPath, qsizetype dataRows) const
{
    return m_notice && indexPath.row == dataRows;
}

double AllListViewController::noticeHeight(const TableView* tableView) const
{
    return NoticeItemView::heightFor(noticeText(), noticeButtonTitle(), tableView->width());
}

TableViewCell* AllListViewController::noticeCell(TableView* tableView)
{
    TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kNoticeCell);
    NoticeItemView* item = cell ? cell->contentView()->findChild<NoticeItemView*>() : nullptr;
    if (!cell) {
        cell = new TableViewCell(TableViewCellStyle::Default, kNoticeCell);
        cell->setBackgroundColor(Qt::transparent);
        cell->setSelectionStyle(TableViewCellSelectionStyle::None);
    }
    if (!item) {
        item = new NoticeItemView(cell->contentView());
        item->setGeometry(0, 0, tableView->width(), NoticeItemView::kHeight); // setNotice sets its height
        connect(item, &NoticeItemView::actionTapped, this, [this] { tapNoticeButton(); });
        item->show();
    }
    item->setNotice(noticeText(), noticeButtonTitle());
    return cell;
}
