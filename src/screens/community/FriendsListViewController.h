#pragma once

#include "screens/common/AllListViewController.h"
#include "site/Friend.h"

class Button;

// The signed-in user's friends on the site: avatar, name, kind and last-seen line. A tap opens
// the friend's profile; the row's message button (on touch-down) opens the message form; a
// swipe or the Delete key removes the friend. The row goes at once; should the site not take
// the removal, it comes back where it was and the user is told.
class FriendsListViewController : public AllListViewController
{
    Q_OBJECT
public:
    explicit FriendsListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    const std::optional<QList<Friend>>& friends() const { return m_friends; }

    void fetchFriendsList();
    // The first showing fetches through here.
    void fetchPage(int page) override;
    // The friends page has arrived (absent: it could not be read).
    void loadedFriends(std::optional<QList<Friend>> friends);
    // The message button of a row: its tag is the friend's id.
    void didSelectPm(Button* sender);

    int numberOfRowsInSection(TableView* tableView, int section) override;
    double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    bool canEditRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;
    void commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style, const IndexPath& indexPath) override;

    static const QString kRemovalFailedMessage;

private:
    // The site's answer to a removal: the friend comes back at `row` when it was refused.
    void removalAnswered(bool accepted, const Friend& removed, int row);

    std::optional<QList<Friend>> m_friends;
};
