#include "platform/ui/AccessibleButton.h"

#include "platform/ui/Button.h"

AccessibleButton::AccessibleButton(Button* button) : QAccessibleWidget(button, QAccessible::Button) {}

Button* AccessibleButton::button() const
{
    return static_cast<Button*>(widget());
}

QString AccessibleButton::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    const QString title = button()->currentTitle();
    if (!title.isEmpty())
        return title;
    if (button()->buttonType() == Button::Type::InfoLight || button()->buttonType() == Button::Type::InfoDark)
        return QStringLiteral("About iTarnvale");
    return {};
}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->isDown();
    return s;
}

QStringList AccessibleButton::actionNames() const
{
    if (!widget()->isEnabled())
        return {};
    return {QAccessibleActionInterface::pressAction()};
}

void AccessibleButton::doAction(const QString& actionName)
{
    // A press, then a release on the button: touchDown and touchUpInside both fire, as in a tap.
    if (actionName == QAccessibleActionInterface::pressAction() && widget()->isEnabled())
        button()->click();
}
