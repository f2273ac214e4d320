#pragma once

#include "platform/ui/AccessibleItemView.h"

class PickerView;

// A picker's wheels as spin boxes: each is read by the name its delegate gives it, its value
// is the row it stands on, and the increase and decrease actions turn it by one row, as the
// user's own turn does.
class AccessiblePickerView : public AccessibleItemView
{
public:
    explicit AccessiblePickerView(PickerView* picker);

    int itemCount() const override;
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override;
    QStringList itemActionNames(int index) const override;
    void doItemAction(int index, const QString& action) override;

private:
    PickerView* picker() const;
};
