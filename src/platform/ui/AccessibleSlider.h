#pragma once

#include <QAccessibleWidget>

class Slider;

// A slider with its value: read by the label that names it, its value set and stepped by
// assistive technology as a drag of the thumb sets it (the same signals follow).
class AccessibleSlider : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleSlider(Slider* slider);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Slider* slider() const;
    double step() const;
};
