#pragma once

class AlertView;

class AlertViewDelegate
{
public:
    virtual ~AlertViewDelegate() = default;
    // The user chose a button (0 is the cancel button); the alert is still on screen.
    virtual void clickedButtonAtIndex(AlertView*, int) {}
    // The alert has left the screen.
    virtual void didDismissWithButtonIndex(AlertView*, int) {}
};
