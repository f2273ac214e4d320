#include "platform/ui/AccessibleTableRow.h"

#include "platform/ui/TableView.h"

#include <QWidget>
#include <QWindow>

AccessibleTableRow::AccessibleTableRow(TableView* table, const IndexPath& path) : m_table(table), m_path(path) {}

bool AccessibleTableRow::isValid() const
{
    return m_table && m_table->rowIndexOfIndexPath(m_path) >= 0;
}

QWindow* AccessibleTableRow::window() const
{
    return m_table ? m_table->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleTableRow::parent() const
{
    return m_table ? QAccessible::queryAccessibleInterface(m_table.data()) : nullptr;
}

QString AccessibleTableRow::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    if (t == QAccessible::Name)
        return m_table->accessibilityLabelForRowAtIndexPath(m_path);
    if (t == QAccessible::Description)
        return m_table->accessibilityHintForRowAtIndexPath(m_path);
    return {};
}

QRect AccessibleTableRow::rect() const
{
    if (!isValid())
        return {};
    const QRectF r = m_table->rectForRowAtIndexPath(m_path).translated(-m_table->contentOffset());
    return QRect(m_table->mapToGlobal(r.topLeft().toPoint()), r.size().toSize());
}

QAccessible::State AccessibleTableRow::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = m_table->indexPathForSelectedRow() == m_path;
    s.focused = m_table->hasFocus() && m_table->keyboardRow() == m_path;
    // Out of view: the item exists for the reader but is not drawn.
    const QRectF shown(m_table->contentOffset(), QSizeF(m_table->size()));
    if (!m_table->isVisible() || !shown.intersects(m_table->rectForRowAtIndexPath(m_path))) {
        s.invisible = true;
        s.offscreen = true;
    }
    return s;
}

void* AccessibleTableRow::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleTableRow::actionNames() const
{
    if (!isValid())
        return {};
    QStringList names{setFocusAction()};
    if (m_table->allowsSelection())
        names.prepend(pressAction());
    return names;
}

void AccessibleTableRow::doAction(const QString& actionName)
{
    if (!isValid())
        return;
    if (actionName == pressAction())
        m_table->activateRowAtIndexPath(m_path);
    else if (actionName == setFocusAction()) {
        m_table->setFocus(Qt::OtherFocusReason);
        m_table->moveKeyboardRowTo(m_path);
    }
}
