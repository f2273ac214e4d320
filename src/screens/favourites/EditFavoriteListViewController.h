#pragma once

#include "platform/ui/TableViewController.h"
#include "screens/favourites/FavoriteComposeViewController.h"
#include "settings/Filter.h"

#include <QFont>
#include <QList>

class Switch;
class TextRowCell;

// "Favorite filters": the stored favourite filters, one row each, in the order they were
// added. The plus button opens the entry form; a swipe (or the Delete key) removes a filter
// from the store and the table. Opened with no filters, the screen opens the entry form at
// once. Made afresh each time it is pushed, and let go when popped.
class EditFavoriteListViewController : public TableViewController, public FavoriteComposeViewController::Delegate
{
    Q_OBJECT
public:
    static constexpr double kRowHeight = 37;

    explicit EditFavoriteListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The stored filters again, redisplayed.
    void reloadFilters();
    const QList<Filter>& filters() const { return m_filters; }

    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    bool canEditRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style, const IndexPath& indexPath) override;

    // The entry form's answers: the new filter is stored after the others (when the file
    // cannot take it, the form stays and says why); or nothing.
    void didUpdateList(FavoriteComposeViewController* form, const QString& item) override;
    void didCancelUpdateList(FavoriteComposeViewController* form) override;

public Q_SLOTS:
    // Presents the entry form.
    void addFavorite();
    // The back button: pops the screen (animated).
    void cancel(QObject* sender);

private:
    void closeForm();
    void switchedSending(TextRowCell* cell, Switch* send, bool on);
    static QString sendingText(bool sends);

    QList<Filter> m_filters;
    // The entry form has just been closed: the screen appearing again under it does not
    // open another one, even when the list is still empty.
    bool m_formClosed = false;
};
