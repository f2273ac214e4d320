#pragma once

#include "platform/ui/ViewController.h"

// "Recents Display Settings" (spec Part 5.2): category, language, order and sort of the
// recent torrents listing. One shared instance, pushed on a navigation stack each time.
class DisplaySettingsViewController : public ViewController
{
    Q_OBJECT

public:
    // The single instance, made on first use; never destroyed while the app runs.
    static DisplaySettingsViewController* sharedInstance();

    // Popping keeps the shared instance alive.
    void release() override;

protected:
    explicit DisplaySettingsViewController(QObject* parent = nullptr);
    ~DisplaySettingsViewController() override;
};
