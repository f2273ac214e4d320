#pragma once

#include <QAccessibleWidget>

class TableView;
class TableViewCell;

// A table as a list whose items are the rows in view, top to bottom (rows scrolled away have
// no cell to read until they come back into view).
class AccessibleTableView : public QAccessibleWidget
{
public:
    explicit AccessibleTableView(TableView* table);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    TableView* table() const;
    QList<TableViewCell*> rows() const;
};
