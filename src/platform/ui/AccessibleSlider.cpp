#include "platform/ui/AccessibleSlider.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Slider.h"

#include <algorithm>
#include <cmath>

AccessibleSlider::AccessibleSlider(Slider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

Slider* AccessibleSlider::slider() const
{
    return static_cast<Slider*>(widget());
}

QString AccessibleSlider::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Accessibility::labelNaming(widget());
    if (t == QAccessible::Value)
        return QString::number(slider()->value());
    return QAccessibleWidget::text(t);
}

void* AccessibleSlider::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant AccessibleSlider::currentValue() const
{
    return slider()->value();
}

void AccessibleSlider::setCurrentValue(const QVariant& value)
{
    if (!widget()->isEnabled())
        return;
    Slider* s = slider();
    s->setValue(value.toFloat());
    // As at the end of a drag: the screens store the value when the change ends.
    Q_EMIT s->valueChanged(s);
    Q_EMIT s->valueChangeEnded(s);
}

QVariant AccessibleSlider::maximumValue() const
{
    return slider()->maximumValue();
}

QVariant AccessibleSlider::minimumValue() const
{
    return slider()->minimumValue();
}

double AccessibleSlider::step() const
{
    // Whole steps over a range of whole numbers (a count of pages), tenths otherwise.
    const double range = slider()->maximumValue() - slider()->minimumValue();
    return range >= 2 ? 1.0 : range / 10.0;
}

QVariant AccessibleSlider::minimumStepSize() const
{
    return step();
}

QStringList AccessibleSlider::actionNames() const
{
    if (!widget()->isEnabled())
        return {};
    return {QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::decreaseAction()};
}

void AccessibleSlider::doAction(const QString& actionName)
{
    if (!actionNames().contains(actionName))
        return;
    const double sign = actionName == QAccessibleActionInterface::increaseAction() ? 1 : -1;
    const double next = std::clamp(double(slider()->value()) + sign * step(), double(slider()->minimumValue()),
                                   double(slider()->maximumValue()));
    setCurrentValue(next);
}
