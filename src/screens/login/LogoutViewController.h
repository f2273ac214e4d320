#pragma once

#include "platform/ui/TableViewController.h"

class SessionSwitch;

// The log-out tab: choosing it logs out at once, without a question.
class LogoutViewController : public TableViewController
{
    Q_OBJECT

public:
    explicit LogoutViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    // Goes back to the first tab (so the next sign-in does not land here again) and logs out.
    void viewWillAppear(bool animated) override;

    // Who logs out; the application's navigation sets itself when it builds the tabs.
    void setSessionSwitch(SessionSwitch* sessionSwitch) { m_sessionSwitch = sessionSwitch; }

private:
    SessionSwitch* m_sessionSwitch = nullptr;
};
