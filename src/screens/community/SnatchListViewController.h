#pragma once

#include "screens/common/AllListViewController.h"

// The signed-in user's snatch list: the 50 torrents downloaded last, newest first, with their
// activity, size, amounts and ratio. Asked of the site's table-data endpoint when first shown
// and on refresh; no paging. A row opens the torrent's details, whose download button sends
// the torrent through this screen.
class SnatchListViewController : public AllListViewController
{
    Q_OBJECT
public:
    explicit SnatchListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    // The table-data request of the endpoint for a user id, as the site's table plug-in
    // sends it: echo 1, ten columns, 50 rows from row 0, sorted by column 9 descending.
    // Null unless the id is a number.
    static QString postBody(const QString& userId);

    void fetchSnatchList();
    // The first showing fetches through here.
    void fetchPage(int page) override;

    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;

private:
};
