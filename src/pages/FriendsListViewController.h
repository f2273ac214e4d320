#pragma once

#include "platform/ui/TableViewController.h"

// The user's friends. For now a plain screen with its title and tab item, so that the tab bar is
// complete; the screen's own content comes with its own work.
class FriendsListViewController : public TableViewController
{
    Q_OBJECT

public:
    explicit FriendsListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);
};
