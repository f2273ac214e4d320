#pragma once

class TextField;

// Told of a text field's editing; every operation is optional.
class TextFieldDelegate
{
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField* textField)
    {
        (void)textField;
        return true;
    }
    virtual void textFieldDidBeginEditing(TextField* textField) { (void)textField; }
    virtual void textFieldDidEndEditing(TextField* textField) { (void)textField; }
    // The return key; the answer is whether the field does its default (nothing here).
    virtual bool textFieldShouldReturn(TextField* textField)
    {
        (void)textField;
        return true;
    }
};
