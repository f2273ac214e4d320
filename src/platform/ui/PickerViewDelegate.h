#pragma once

#include <QString>

class PickerView;
class QWidget;

// How a picker's rows look and what choosing one does; every operation is optional. A row is
// the view from viewForRow (given the view of a row that scrolled away to reuse, or none), or
// else a label with titleForRow.
class PickerViewDelegate
{
public:
    virtual ~PickerViewDelegate() = default;
    // Negative: the picker shares its width equally.
    virtual double widthForComponent(PickerView* pickerView, int component)
    {
        (void)pickerView;
        (void)component;
        return -1;
    }
    // Negative: 32 points.
    virtual double rowHeightForComponent(PickerView* pickerView, int component)
    {
        (void)pickerView;
        (void)component;
        return -1;
    }
    virtual QWidget* viewForRow(PickerView* pickerView, int row, int component, QWidget* reusingView)
    {
        (void)pickerView;
        (void)row;
        (void)component;
        (void)reusingView;
        return nullptr;
    }
    virtual QString titleForRow(PickerView* pickerView, int row, int component)
    {
        (void)pickerView;
        (void)row;
        (void)component;
        return QString();
    }
    // What assistive technology calls the wheel ("Category"); empty leaves it unnamed.
    virtual QString accessibilityLabelForComponent(PickerView* pickerView, int component)
    {
        (void)pickerView;
        (void)component;
        return QString();
    }
    virtual void didSelectRow(PickerView* pickerView, int row, int component)
    {
        (void)pickerView;
        (void)row;
        (void)component;
    }
};
