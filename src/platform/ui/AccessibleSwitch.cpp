#include "platform/ui/AccessibleSwitch.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Switch.h"

AccessibleSwitch::AccessibleSwitch(Switch* control) : QAccessibleWidget(control, QAccessible::CheckBox) {}

Switch* AccessibleSwitch::control() const
{
    return static_cast<Switch*>(widget());
}

QString AccessibleSwitch::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Accessibility::labelNaming(widget());
    if (t == QAccessible::Value)
        return control()->isOn() ? QStringLiteral("on") : QStringLiteral("off");
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleSwitch::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = control()->isOn();
    return s;
}

QStringList AccessibleSwitch::actionNames() const
{
    if (!widget()->isEnabled())
        return {};
    return {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction()};
}

void AccessibleSwitch::doAction(const QString& actionName)
{
    if (actionNames().contains(actionName))
        control()->toggle();
}
