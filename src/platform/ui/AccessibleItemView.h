#pragma once

#include <QAccessibleWidget>
#include <QHash>

// The accessible interface of a control whose items are drawn, not widgets: the tab bar, the
// More list, a segmented selector, a picker's wheels. A subclass tells the items' number,
// texts, places, states and what pressing one does; the item interfaces are made on first
// use, registered with Qt (which frees them at the end) and kept by index.
class AccessibleItemView : public QAccessibleWidget
{
public:
    AccessibleItemView(QWidget* widget, QAccessible::Role role, QAccessible::Role itemRole);
    ~AccessibleItemView() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessible::Role itemRole() const { return m_itemRole; }
    virtual int itemCount() const = 0;
    virtual QString itemText(int index, QAccessible::Text t) const = 0;
    // In the control's coordinates.
    virtual QRect itemRect(int index) const = 0;
    virtual QAccessible::State itemState(int index) const;
    // The action names an item offers (press by default) and what each does.
    virtual QStringList itemActionNames(int index) const;
    virtual void doItemAction(int index, const QString& action) = 0;

private:
    QAccessible::Role m_itemRole;
    mutable QHash<int, QAccessible::Id> m_items;
};
