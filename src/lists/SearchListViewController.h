#pragma once

#include "platform/ui/TableViewController.h"

// The search list. For now a plain screen with its title and tab item, so that the tab bar is
// complete; the screen's own content comes with its own work.
class SearchListViewController : public TableViewController
{
    Q_OBJECT

public:
    explicit SearchListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);
};
