#pragma once

#include "platform/ui/TableViewController.h"

// The log-out tab: choosing it logs out at once, without a question.
class LogoutViewController : public TableViewController
{
    Q_OBJECT

public:
    explicit LogoutViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    // Goes back to the first tab (so the next sign-in does not land here again) and logs out.
    void viewWillAppear(bool animated) override;
};
