#include "platform/ui/AccessibleLabel.h"

#include "platform/ui/Label.h"

AccessibleLabel::AccessibleLabel(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

QString AccessibleLabel::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return static_cast<Label*>(widget())->text();
    return QAccessibleWidget::text(t);
}
