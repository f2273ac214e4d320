#pragma once

#include "platform/ui/AccessibleItemView.h"

class SegmentedControl;

// A segmented selector as a group of radio buttons, one per segment, the selected one
// checked; pressing a segment selects it as a tap does.
class AccessibleSegmentedControl : public AccessibleItemView
{
public:
    explicit AccessibleSegmentedControl(SegmentedControl* control);

    QString text(QAccessible::Text t) const override;
    int itemCount() const override;
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    void doItemAction(int index, const QString& action) override;

private:
    SegmentedControl* control() const;
};
