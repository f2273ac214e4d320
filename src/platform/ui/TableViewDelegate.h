#pragma once

#include "platform/ui/IndexPath.h"

#include <QString>

class TableView;

// How a table's rows look and what a tap on one does. Every operation is optional.
class TableViewDelegate
{
public:
    virtual ~TableViewDelegate() = default;

    // A negative answer means the table's rowHeight.
    virtual double heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
    {
        (void)tableView;
        (void)indexPath;
        return -1;
    }
    virtual void didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
    {
        (void)tableView;
        (void)indexPath;
    }
    virtual QString titleForDeleteConfirmationButtonForRowAtIndexPath(TableView* tableView,
                                                                      const IndexPath& indexPath)
    {
        (void)tableView;
        (void)indexPath;
        return QStringLiteral("Delete");
    }
};
