#pragma once

#include "platform/ui/IndexPath.h"

class TableView;
class TableViewCell;

enum class TableViewCellEditingStyle { None, Delete, Insert };

// What a table shows: its sections, rows and the cell of each row. The table takes ownership of
// the cells it is given (and reuses them). Rows can be deleted by the user (a swipe, the Delete
// key or the context menu) only where canEditRowAtIndexPath answers true; the confirmed deletion
// arrives at commitEditingStyle, which removes the row from the data and then calls
// deleteRowsAtIndexPaths on the table.
class TableViewDataSource
{
public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfSectionsInTableView(TableView* tableView)
    {
        (void)tableView;
        return 1;
    }
    virtual int numberOfRowsInSection(TableView* tableView, int section) = 0;
    virtual TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) = 0;

    virtual bool canEditRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
    {
        (void)tableView;
        (void)indexPath;
        return false;
    }
    virtual void commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style, const IndexPath& indexPath)
    {
        (void)tableView;
        (void)style;
        (void)indexPath;
    }
};
