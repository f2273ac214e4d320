#include "platform/ui/AccessibleItem.h"

#include "platform/ui/AccessibleItemView.h"

#include <QWidget>

AccessibleItem::AccessibleItem(AccessibleItemView* view, QWidget* widget, int index)
    : m_view(view), m_widget(widget), m_index(index)
{
}

bool AccessibleItem::isValid() const
{
    // The control's interface dies with the control, so a live control means a live view.
    return m_widget && m_index < m_view->itemCount();
}

QWindow* AccessibleItem::window() const
{
    return isValid() ? m_view->window() : nullptr;
}

QAccessibleInterface* AccessibleItem::parent() const
{
    return isValid() ? m_view : nullptr;
}

QString AccessibleItem::text(QAccessible::Text t) const
{
    return isValid() ? m_view->itemText(m_index, t) : QString();
}

QRect AccessibleItem::rect() const
{
    if (!isValid())
        return {};
    const QRect local = m_view->itemRect(m_index);
    return QRect(m_widget->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role AccessibleItem::role() const
{
    return m_view->itemRole();
}

QAccessible::State AccessibleItem::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s = m_view->itemState(m_index);
    if (!m_widget->isVisible())
        s.invisible = true;
    return s;
}

void* AccessibleItem::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleItem::actionNames() const
{
    return isValid() ? m_view->itemActionNames(m_index) : QStringList();
}

void AccessibleItem::doAction(const QString& actionName)
{
    if (isValid() && actionNames().contains(actionName))
        m_view->doItemAction(m_index, actionName);
}
