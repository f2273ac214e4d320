#include "platform/ui/AccessibleTableView.h"

#include "platform/ui/AccessibleTableRow.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

AccessibleTableView::AccessibleTableView(TableView* table) : QAccessibleWidget(table, QAccessible::List) {}

AccessibleTableView::~AccessibleTableView()
{
    for (QAccessible::Id id : std::as_const(m_rowItems))
        QAccessible::deleteAccessibleInterface(id);
}

TableView* AccessibleTableView::table() const
{
    return static_cast<TableView*>(widget());
}

int AccessibleTableView::childCount() const
{
    return table()->totalRowCount();
}

QAccessibleInterface* AccessibleTableView::child(int index) const
{
    TableView* t = table();
    const auto path = t->indexPathAtRowIndex(index);
    if (!path)
        return nullptr;
    if (TableViewCell* cell = t->cellForRowAtIndexPath(*path); cell && !cell->isHidden())
        return QAccessible::queryAccessibleInterface(cell);
    if (const QAccessible::Id id = m_rowItems.value(*path))
        if (QAccessibleInterface* item = QAccessible::accessibleInterface(id))
            return item;
    auto* item = new AccessibleTableRow(t, *path);
    m_rowItems.insert(*path, QAccessible::registerAccessibleInterface(item));
    return item;
}

int AccessibleTableView::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    TableView* t = table();
    if (auto* cell = qobject_cast<TableViewCell*>(child->object())) {
        const auto path = t->indexPathForCell(cell);
        return path ? t->rowIndexOfIndexPath(*path) : -1;
    }
    if (const auto* item = dynamic_cast<const AccessibleTableRow*>(child))
        return t->rowIndexOfIndexPath(item->indexPath());
    return -1;
}

QAccessibleInterface* AccessibleTableView::childAt(int x, int y) const
{
    for (TableViewCell* cell : table()->visibleCells()) {
        const QRect area(cell->mapToGlobal(QPoint(0, 0)), cell->size());
        if (!cell->isHidden() && area.contains(x, y))
            return QAccessible::queryAccessibleInterface(cell);
    }
    return nullptr;
}

QAccessibleInterface* AccessibleTableView::focusChild() const
{
    TableView* t = table();
    if (!t->hasFocus() || !t->keyboardRow())
        return nullptr;
    return child(t->rowIndexOfIndexPath(*t->keyboardRow()));
}
