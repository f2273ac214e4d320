#include "screens/remote/DownloadsViewController.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "screens/remote/DownloadsTorrentCell.h"
#include "settings/DownloadHistory.h"
#include "views/NoticeItemView.h"

#include <QSet>

const QString DownloadsViewController::kTryAgainTitle = QStringLiteral("Try again");

namespace {
const QString kNoticeCell = QStringLiteral("DownloadsNotice");
} // namespace

DownloadsViewController::DownloadsViewController(QObject* parent)
    : TableViewController(TableViewStyle::Plain, parent)
{
    setTitle(QStringLiteral("Downloads"));
    setTabBarItem(new TabBarItem(QStringLiteral("Downloads"), Bundle::imageNamed(QStringLiteral("tabbar-remote.png")), 0));
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &DownloadsViewController::tick);
}

void DownloadsViewController::loadView()
{
    m_titleBar = loadTitledTableView();
}

void DownloadsViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    tableView()->setBackgroundColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    tableView()->setSeparatorStyle(TableViewCellSeparatorStyle::None);
}

void DownloadsViewController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    // Reached through "More", whose navigation bar would stand above the screen's own.
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(true, animated);
    fetch();
    m_timer.start();
}

void DownloadsViewController::viewWillDisappear(bool animated)
{
    TableViewController::viewWillDisappear(animated);
    m_timer.stop();
}

void DownloadsViewController::tick()
{
    if (!isAppearing()) {
        m_timer.stop();
        return;
    }
    if (!m_fetching)
        fetch();
}

void DownloadsViewController::fetch(FetchRemoteTorrents::Action action, const QString& hash)
{
    if (m_fetching) {
        // One round at a time: the action goes with the next one.
        if (action != FetchRemoteTorrents::Action::None)
            m_pendingAction = std::make_pair(action, hash);
        return;
    }
    m_fetching = true;
    ++m_fetchCount;
    m_queue.addOperation(
        std::make_unique<FetchRemoteTorrents>(this, &DownloadsViewController::loadedTorrents, action, hash));
}

void DownloadsViewController::loadedTorrents(RemoteTorrentsReply reply)
{
    m_fetching = false;
    if (!reply.actionFailureText.isEmpty()) {
        auto* alert = new AlertView(QStringLiteral("Downloads"), reply.actionFailureText, nullptr, QStringLiteral("OK"));
        alert->show();
    }
    if (reply.torrents) {
        m_torrents = std::move(*reply.torrents);
        m_noticeText.clear();
    } else {
        // Rows already shown stay (they may be a moment old); the reason stands above them.
        m_noticeText = reply.failureText;
        m_noticeRetries = reply.failure != RemoteControlFailure::NotOffered;
        // Asking a client without a list again and again changes nothing.
        if (!m_noticeRetries)
            m_timer.stop();
    }
    if (isViewLoaded())
        tableView()->reloadData();
    if (m_pendingAction) {
        const auto [action, hash] = *m_pendingAction;
        m_pendingAction.reset();
        fetch(action, hash);
    }
}

const RemoteTorrent* DownloadsViewController::torrentAt(const IndexPath& indexPath) const
{
    const int row = indexPath.row - (hasNoticeRow() ? 1 : 0);
    if (row < 0 || row >= m_torrents.size())
        return nullptr;
    return &m_torrents.at(row);
}

int DownloadsViewController::numberOfRowsInSection(TableView*, int)
{
    return int(m_torrents.size()) + (hasNoticeRow() ? 1 : 0);
}

double DownloadsViewController::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath)
{
    return torrentAt(indexPath) ? DownloadsTorrentCell::kHeight
                                : NoticeItemView::heightFor(m_noticeText, noticeButtonTitle(), Device::screenBounds().width());
}

TableViewCell* DownloadsViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (const RemoteTorrent* torrent = torrentAt(indexPath)) {
        DownloadsTorrentCell* cell = DownloadsTorrentCell::dequeue(tableView);
        cell->setTorrent(*torrent, DownloadHistory::contains(torrent->name));
        return cell;
    }
    TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kNoticeCell);
    if (!cell) {
        cell = new TableViewCell(TableViewCellStyle::Default, kNoticeCell);
        cell->setSelectionStyle(TableViewCellSelectionStyle::None);
        auto* notice = new NoticeItemView(cell->contentView());
        notice->setGeometry(0, 0, Device::screenBounds().width(), NoticeItemView::kHeight);
        connect(notice, &NoticeItemView::actionTapped, this, [this] {
            if (!isAppearing())
                return;
            fetch();
            m_timer.start();
        });
    }
    m_notice = cell->contentView()->findChild<NoticeItemView*>();
    m_notice->setNotice(m_noticeText, noticeButtonTitle());
    return cell;
}

void DownloadsViewController::didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    tableView->deselectRowAtIndexPath(indexPath, true);
    const RemoteTorrent* torrent = torrentAt(indexPath);
    if (!torrent)
        return;
    fetch(torrent->state == RemoteTorrent::State::Paused ? FetchRemoteTorrents::Action::Resume
                                                          : FetchRemoteTorrents::Action::Pause,
          torrent->hash);
}

bool DownloadsViewController::canEditRowAtIndexPath(TableView*, const IndexPath& indexPath)
{
    return torrentAt(indexPath) != nullptr;
}

void DownloadsViewController::commitEditingStyle(TableView*, TableViewCellEditingStyle style, const IndexPath& indexPath)
{
    const RemoteTorrent* torrent = torrentAt(indexPath);
    if (style != TableViewCellEditingStyle::Delete || !torrent)
        return;
    // The row's Delete button said "remove"; what is left to ask is the data.
    m_removing = torrent->hash;
    auto* alert = new AlertView(QStringLiteral("Delete the downloaded data too?"), torrent->name, this,
                                QStringLiteral("Keep data"));
    alert->setOtherButtonTitle(QStringLiteral("Delete data"));
    alert->show();
}

void DownloadsViewController::clickedButtonAtIndex(AlertView*, int index)
{
    if (m_removing.isEmpty())
        return;
    const QString hash = std::exchange(m_removing, QString());
    fetch(index == 1 ? FetchRemoteTorrents::Action::RemoveWithData : FetchRemoteTorrents::Action::Remove, hash);
}
