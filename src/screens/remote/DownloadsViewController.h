#pragma once

#include "platform/core/OperationQueue.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/TableViewController.h"
#include "remote/FetchRemoteTorrents.h"
#include "views/NoticeItemView.h"

#include <QList>
#include <QPointer>
#include <QTimer>

// "Downloads", in the "More" list: the remote client's torrents, newest first, each with its
// progress, state, speeds, size and time left; those sent from this app (the download history)
// are marked. The list is fetched again every two seconds while the screen shows, never while
// it is hidden, one round at a time on a queue thread. A tap pauses a torrent or resumes a
// paused one; Delete (or a swipe) removes it, after asking whether its data goes too. When the
// client cannot be reached, refuses the sign-in or offers no list, one row says why, with
// "Try again" where trying again can help.
class DownloadsViewController : public TableViewController, public AlertViewDelegate
{
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 2000;
    static const QString kTryAgainTitle;

    explicit DownloadsViewController(QObject* parent = nullptr);

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    bool canEditRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style, const IndexPath& indexPath) override;
    void clickedButtonAtIndex(AlertView* alertView, int index) override;

    // What the screen shows (for tests and pictures).
    const QList<RemoteTorrent>& torrents() const { return m_torrents; }
    QString noticeText() const { return m_noticeText; }
    NoticeItemView* noticeView() const { return m_notice; }
    NavigationBar* titleBar() const { return m_titleBar; }
    bool isRefreshing() const { return m_timer.isActive(); }
    // A round with the client is under way.
    bool isFetching() const { return m_fetching; }
    // Rounds with the client asked since the screen was made.
    int fetchCount() const { return m_fetchCount; }
    // A round's answer, on the main thread.
    void loadedTorrents(RemoteTorrentsReply reply);

private:
    void fetch(FetchRemoteTorrents::Action action = FetchRemoteTorrents::Action::None, const QString& hash = {});
    void tick();
    bool hasNoticeRow() const { return !m_noticeText.isEmpty(); }
    QString noticeButtonTitle() const { return m_noticeRetries ? kTryAgainTitle : QString(); }
    // The torrent shown on that row, or none for the notice row.
    const RemoteTorrent* torrentAt(const IndexPath& indexPath) const;

    QList<RemoteTorrent> m_torrents;
    QString m_noticeText;
    bool m_noticeRetries = false;
    QPointer<NoticeItemView> m_notice;
    QPointer<NavigationBar> m_titleBar;
    QTimer m_timer;
    bool m_fetching = false;
    // An action waits for the round in flight, then goes first.
    std::optional<std::pair<FetchRemoteTorrents::Action, QString>> m_pendingAction;
    QString m_removing; // the hash asked about in the removal alert
    int m_fetchCount = 0;
    OperationQueue m_queue{1};
};
