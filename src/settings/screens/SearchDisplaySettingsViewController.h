#pragma once

#include "platform/ui/ViewController.h"

// "Search Settings" (spec Part 5.2): category, language, order and sort of searches.
// One shared instance, pushed on a navigation stack each time.
class SearchDisplaySettingsViewController : public ViewController
{
    Q_OBJECT

public:
    // The single instance, made on first use; never destroyed while the app runs.
    static SearchDisplaySettingsViewController* sharedInstance();

    // Popping keeps the shared instance alive.
    void release() override;

protected:
    explicit SearchDisplaySettingsViewController(QObject* parent = nullptr);
    ~SearchDisplaySettingsViewController() override;
};
