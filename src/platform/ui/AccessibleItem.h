#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class AccessibleItemView;
class QWidget;

// One item of a control that draws its items itself (a tab of the tab bar, a row of the More
// list, a segment of a selector): not an object of its own, so the control's interface makes
// it on demand and asks the control for everything. It stays valid only while its control
// lives, and it offers the item's tap as its press action.
class AccessibleItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibleItem(AccessibleItemView* view, QWidget* widget, int index);

    int index() const { return m_index; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    AccessibleItemView* m_view;
    QPointer<QWidget> m_widget;
    int m_index;
};
