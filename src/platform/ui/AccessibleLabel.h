#pragma once

#include <QAccessibleWidget>

class Label;

// A label as static text, read by its text.
class AccessibleLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(Label* label);

    QString text(QAccessible::Text t) const override;
};
