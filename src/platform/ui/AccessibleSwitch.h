#pragma once

#include <QAccessibleWidget>

class Switch;

// An on/off switch as a check box, checked when on, named by the label beside it unless it
// has an accessible name of its own; pressing or toggling it turns it over as a tap does.
class AccessibleSwitch : public QAccessibleWidget
{
public:
    explicit AccessibleSwitch(Switch* control);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Switch* control() const;
};
