#pragma once

class PickerView;

// How many columns (components) a picker has and how many rows each holds.
class PickerViewDataSource
{
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(PickerView* pickerView) = 0;
    virtual int numberOfRowsInComponent(PickerView* pickerView, int component) = 0;
};
