#pragma once

#include <QAccessibleWidget>
#include <QHash>

#include "platform/ui/IndexPath.h"

class TableView;
class TableViewCell;

// A table as a list of all its rows, in view or not, so a reader knows the list's length and
// reaches any row. A row in view is its cell's interface; a row out of view is an item that
// reads its text from the data source's cell for it (AccessibleTableRow).
class AccessibleTableView : public QAccessibleWidget
{
public:
    explicit AccessibleTableView(TableView* table);
    ~AccessibleTableView() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TableView* table() const;

    // The items made for rows out of view, kept (and registered with Qt) so that a reader
    // asking twice gets the same one; let go with the table.
    mutable QHash<IndexPath, QAccessible::Id> m_rowItems;
};
