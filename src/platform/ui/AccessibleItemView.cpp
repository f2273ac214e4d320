#include "platform/ui/AccessibleItemView.h"

#include "platform/ui/AccessibleItem.h"

#include <QWidget>

AccessibleItemView::AccessibleItemView(QWidget* widget, QAccessible::Role role, QAccessible::Role itemRole)
    : QAccessibleWidget(widget, role), m_itemRole(itemRole)
{
}

AccessibleItemView::~AccessibleItemView()
{
    for (QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

int AccessibleItemView::childCount() const
{
    return itemCount();
}

QAccessibleInterface* AccessibleItemView::child(int index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    const auto known = m_items.constFind(index);
    if (known != m_items.constEnd())
        return QAccessible::accessibleInterface(*known);
    auto* item = new AccessibleItem(const_cast<AccessibleItemView*>(this), widget(), index);
    m_items.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
}

int AccessibleItemView::indexOfChild(const QAccessibleInterface* child) const
{
    for (auto it = m_items.constBegin(); it != m_items.constEnd(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key() < itemCount() ? it.key() : -1;
    }
    return -1;
}

QAccessibleInterface* AccessibleItemView::childAt(int x, int y) const
{
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < itemCount(); ++i) {
        if (itemRect(i).contains(local))
            return child(i);
    }
    return nullptr;
}

QAccessible::State AccessibleItemView::itemState(int) const
{
    QAccessible::State s;
    if (!widget()->isEnabled())
        s.disabled = true;
    return s;
}

QStringList AccessibleItemView::itemActionNames(int index) const
{
    if (itemState(index).disabled)
        return {};
    return {QAccessibleActionInterface::pressAction()};
}
