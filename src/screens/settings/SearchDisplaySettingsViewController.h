#pragma once

#include "screens/settings/BrowseFilterSettingsViewController.h"

#include <QPointer>

class DisplaySettingsViewController;

// "Search Settings": category, language, order and sort of the search list,
// stored at once under "iTarnvale_searchCategories", "iTarnvale_searchLanguage",
// "iTarnvale_searchOrderBy" and "iTarnvale_searchSortBy". It takes its tables from the recents
// screen (making that one if needed). One shared instance, pushed on a navigation stack each
// time; popping it keeps it (and its controls' state) for the next visit.
class SearchDisplaySettingsViewController : public BrowseFilterSettingsViewController
{
    Q_OBJECT

public:
    // The single instance, made on first use under the class lock; never destroyed while the
    // application runs. User interface thread only (it makes widgets).
    static SearchDisplaySettingsViewController* sharedInstance();

    // Tests only: deletes the shared instance (not the recents screen), so that the next
    // sharedInstance() makes a new one. The screen must not be on a navigation stack.
    static void resetSharedInstanceForTests();

    // The recents screen the tables came from.
    DisplaySettingsViewController* settingsViewCtrl() const;

private:
    explicit SearchDisplaySettingsViewController(DisplaySettingsViewController* recents);
    ~SearchDisplaySettingsViewController() override;

    QPointer<DisplaySettingsViewController> m_settingsViewCtrl;
};
