#include "platform/ui/AccessiblePickerView.h"

#include "platform/ui/PickerView.h"
#include "platform/ui/PickerViewDelegate.h"

AccessiblePickerView::AccessiblePickerView(PickerView* picker)
    : AccessibleItemView(picker, QAccessible::Grouping, QAccessible::SpinBox)
{
}

PickerView* AccessiblePickerView::picker() const
{
    return static_cast<PickerView*>(widget());
}

int AccessiblePickerView::itemCount() const
{
    return picker()->numberOfComponents();
}

QString AccessiblePickerView::itemText(int index, QAccessible::Text t) const
{
    PickerView* p = picker();
    switch (t) {
    case QAccessible::Name:
        return p->delegate() ? p->delegate()->accessibilityLabelForComponent(p, index) : QString();
    case QAccessible::Value:
        return p->textForRow(p->selectedRowInComponent(index), index);
    default:
        return {};
    }
}

QRect AccessiblePickerView::itemRect(int index) const
{
    return picker()->componentRect(index);
}

QStringList AccessiblePickerView::itemActionNames(int index) const
{
    if (itemState(index).disabled)
        return {};
    return {QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::decreaseAction()};
}

void AccessiblePickerView::doItemAction(int index, const QString& action)
{
    const int step = action == QAccessibleActionInterface::increaseAction() ? 1 : -1;
    picker()->chooseRow(picker()->selectedRowInComponent(index) + step, index);
}
