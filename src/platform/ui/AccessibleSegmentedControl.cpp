#include "platform/ui/AccessibleSegmentedControl.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/SegmentedControl.h"

AccessibleSegmentedControl::AccessibleSegmentedControl(SegmentedControl* control)
    : AccessibleItemView(control, QAccessible::Grouping, QAccessible::RadioButton)
{
}

SegmentedControl* AccessibleSegmentedControl::control() const
{
    return static_cast<SegmentedControl*>(widget());
}

QString AccessibleSegmentedControl::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Accessibility::labelNaming(widget());
    return AccessibleItemView::text(t);
}

int AccessibleSegmentedControl::itemCount() const
{
    return control()->numberOfSegments();
}

QString AccessibleSegmentedControl::itemText(int index, QAccessible::Text t) const
{
    return t == QAccessible::Name ? control()->titleForSegmentAtIndex(index) : QString();
}

QRect AccessibleSegmentedControl::itemRect(int index) const
{
    return control()->segmentRect(index).toAlignedRect();
}

QAccessible::State AccessibleSegmentedControl::itemState(int index) const
{
    QAccessible::State s;
    s.checkable = true;
    s.checked = index == control()->selectedSegmentIndex();
    s.disabled = !control()->isEnabled();
    return s;
}

void AccessibleSegmentedControl::doItemAction(int index, const QString&)
{
    control()->tapSegment(index);
}
