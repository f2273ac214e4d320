#pragma once

#include "platform/ui/TableViewController.h"

#include <QStringList>

// The fourth tab, "D/l History": the names of the torrents sent to the remote client, newest
// first, read again each time the tab shows. A swipe (or the Delete key) removes one entry from
// the stored history and from the table.
class HistoryListViewController : public TableViewController
{
    Q_OBJECT
public:
    static constexpr double kRowHeight = 37;

    explicit HistoryListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The stored names again, redisplayed.
    void reloadHistory();
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
};
