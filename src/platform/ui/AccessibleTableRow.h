#pragma once

#include "platform/ui/IndexPath.h"

#include <QAccessibleInterface>
#include <QPointer>

class TableView;

// A table row out of view as a reader's list item: its text is the accessible text of the
// cell the data source gives for it, pressing it opens it as a tap does, and giving it the
// focus walks the keyboard to it (which scrolls it into view).
class AccessibleTableRow : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibleTableRow(TableView* table, const IndexPath& path);

    IndexPath indexPath() const { return m_path; }

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
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TableView> m_table;
    IndexPath m_path;
};
