#pragma once

#include "platform/ui/ViewController.h"

// The remote client settings. For now a plain screen with its title and tab item, so that the tab bar is
// complete; the screen's own content comes with its own work.
class ServerSettingsViewController : public ViewController
{
    Q_OBJECT

public:
    explicit ServerSettingsViewController(QObject* parent = nullptr);
};
