#pragma once

#include "platform/ui/NavigationBar.h"
#include "platform/ui/TableViewController.h"

#include <QDateTime>
#include <QPointer>
#include <QStringList>


// The fourth tab, "D/l History": the names of the torrents sent to the remote client, newest
// first, each with the date it was sent (when known), read again each time the tab shows. The
// tab has no navigation controller, so the screen carries its own title bar above the table. A swipe (or the Delete key) removes one entry from
// the stored history and from the table.
class HistoryListViewController : public TableViewController
{
    Q_OBJECT
public:
    static constexpr double kRowHeight = 37;

    explicit HistoryListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The stored names again, redisplayed.
    void reloadHistory();
    // The title bar above the table.
    NavigationBar* titleBar() const { return m_titleBar; }
    // "Sent 2026-12-03 14:05" in local time; empty when the date is not known.
    static QString sentText(const QDateTime& sent);
    // Oldest first, as stored.
    const QStringList& historyTorrents() const { return m_historyTorrents; }

    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    bool canEditRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style, const IndexPath& indexPath) override;

private:
    QStringList m_historyTorrents;
    QPointer<NavigationBar> m_titleBar;
};
