#include "platform/ui/AccessibleTableViewCell.h"

#include "platform/ui/Button.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

AccessibleTableViewCell::AccessibleTableViewCell(TableViewCell* cell) : QAccessibleWidget(cell, QAccessible::ListItem) {}

TableViewCell* AccessibleTableViewCell::cell() const
{
    return static_cast<TableViewCell*>(widget());
}

TableView* AccessibleTableViewCell::table() const
{
    for (QWidget* w = cell()->parentWidget(); w; w = w->parentWidget()) {
        if (auto* t = qobject_cast<TableView*>(w))
            return t;
    }
    return nullptr;
}

QList<QWidget*> AccessibleTableViewCell::controls() const
{
    QList<QWidget*> list;
    if (QWidget* accessory = cell()->accessoryView(); accessory && !accessory->isHidden())
        list.append(accessory);
    if (cell()->isShowingDeleteConfirmation())
        list.append(cell()->deleteConfirmationButton());
    return list;
}

QAccessibleInterface* AccessibleTableViewCell::parent() const
{
    if (TableView* t = table())
        return QAccessible::queryAccessibleInterface(t);
    return QAccessibleWidget::parent();
}

int AccessibleTableViewCell::childCount() const
{
    return int(controls().size());
}

QAccessibleInterface* AccessibleTableViewCell::child(int index) const
{
    const QList<QWidget*> list = controls();
    return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
}

int AccessibleTableViewCell::indexOfChild(const QAccessibleInterface* child) const
{
    return child ? int(controls().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
}

QAccessibleInterface* AccessibleTableViewCell::childAt(int x, int y) const
{
    for (QWidget* control : controls()) {
        if (QRect(control->mapToGlobal(QPoint(0, 0)), control->size()).contains(x, y))
            return QAccessible::queryAccessibleInterface(control);
    }
    return nullptr;
}

QString AccessibleTableViewCell::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return cell()->accessibilityLabel();
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return cell()->accessibilityHint();
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleTableViewCell::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = cell()->isSelected();
    if (TableView* t = table()) {
        s.focusable = true;
        const auto path = t->indexPathForCell(cell());
        s.focused = t->hasFocus() && path && t->keyboardRow() == path;
    }
    return s;
}

QStringList AccessibleTableViewCell::actionNames() const
{
    TableView* t = table();
    if (!t || !t->allowsSelection() || !t->indexPathForCell(cell()))
        return {};
    return {QAccessibleActionInterface::pressAction()};
}

void AccessibleTableViewCell::doAction(const QString& actionName)
{
    TableView* t = table();
    if (!t || actionName != QAccessibleActionInterface::pressAction())
        return;
    if (const auto path = t->indexPathForCell(cell()))
        t->activateRowAtIndexPath(*path);
}
