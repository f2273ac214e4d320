#pragma once

#include <QAccessibleWidget>

class TableView;
class TableViewCell;

// A table row as a list item of its table: read by the cell's accessibility label (a
// hand-drawn row says what it draws), selected when the table has it selected, pressed as a
// tap on the row presses it. Its only children are the buttons it carries (the accessory and
// the delete confirmation), so that the drawn texts are read once, with the row.
class AccessibleTableViewCell : public QAccessibleWidget
{
public:
    explicit AccessibleTableViewCell(TableViewCell* cell);

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TableViewCell* cell() const;
    TableView* table() const;
    QList<QWidget*> controls() const;
};
