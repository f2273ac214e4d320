#include "platform/ui/AccessibleTableView.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <algorithm>

AccessibleTableView::AccessibleTableView(TableView* table) : QAccessibleWidget(table, QAccessible::List) {}

TableView* AccessibleTableView::table() const
{
    return static_cast<TableView*>(widget());
}

QList<TableViewCell*> AccessibleTableView::rows() const
{
    TableView* t = table();
    QList<std::pair<IndexPath, TableViewCell*>> shown;
    for (TableViewCell* cell : t->visibleCells()) {
        if (const auto path = t->indexPathForCell(cell); path && !cell->isHidden())
            shown.append({*path, cell});
    }
    std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
        return a.first.section != b.first.section ? a.first.section < b.first.section : a.first.row < b.first.row;
    });
    QList<TableViewCell*> cells;
    for (const auto& entry : shown)
        cells.append(entry.second);
    return cells;
}

int AccessibleTableView::childCount() const
{
    return int(rows().size());
}

QAccessibleInterface* AccessibleTableView::child(int index) const
{
    const QList<TableViewCell*> cells = rows();
    if (index < 0 || index >= cells.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(cells.at(index));
}

int AccessibleTableView::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    return int(rows().indexOf(qobject_cast<TableViewCell*>(child->object())));
}

QAccessibleInterface* AccessibleTableView::childAt(int x, int y) const
{
    for (TableViewCell* cell : rows()) {
        const QRect area(cell->mapToGlobal(QPoint(0, 0)), cell->size());
        if (area.contains(x, y))
            return QAccessible::queryAccessibleInterface(cell);
    }
    return nullptr;
}
