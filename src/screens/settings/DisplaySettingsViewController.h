#pragma once

#include "screens/settings/BrowseFilterSettingsViewController.h"

// "Recents Display Settings": category, language, order and sort of the
// recent torrents list, stored at once under "iTarnvale_categories", "iTarnvale_language",
// "iTarnvale_orderBy" and "iTarnvale_sortBy". It builds the site's code tables, which the
// search screen takes from it. One shared instance, pushed on a navigation stack each time;
// popping it keeps it (and its controls' state) for the next visit.
class DisplaySettingsViewController : public BrowseFilterSettingsViewController
{
    Q_OBJECT

public:
    // The single instance, made on first use under the class lock; never destroyed while the
    // application runs. User interface thread only (it makes widgets).
    static DisplaySettingsViewController* sharedInstance();

    // Tests only: deletes the shared instance, so that the next sharedInstance() makes a new
    // one that reads the stored codes again. The screen must not be on a navigation stack.
    static void resetSharedInstanceForTests();

private:
    DisplaySettingsViewController();
    ~DisplaySettingsViewController() override;
};
