#include "screens/settings/SearchDisplaySettingsViewController.h"

#include "screens/settings/DisplaySettingsViewController.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_classLock;
SearchDisplaySettingsViewController* g_instance = nullptr;

BrowseFilterSettingsViewController::Keys searchKeys()
{
    return {SettingsKeys::searchCategories, SettingsKeys::searchLanguage, SettingsKeys::searchOrderBy,
            SettingsKeys::searchSortBy,     &Settings::setSearchCategories, &Settings::setSearchLanguage,
            &Settings::setSearchOrderBy,    &Settings::setSearchSortBy};
}
} // namespace

SearchDisplaySettingsViewController* SearchDisplaySettingsViewController::sharedInstance()
{
    QMutexLocker locker(&g_classLock);
    if (!g_instance)
        g_instance = new SearchDisplaySettingsViewController(DisplaySettingsViewController::sharedInstance());
    return g_instance;
}

void SearchDisplaySettingsViewController::resetSharedInstanceForTests()
{
    QMutexLocker locker(&g_classLock);
    delete g_instance;
    g_instance = nullptr;
}

SearchDisplaySettingsViewController::SearchDisplaySettingsViewController(DisplaySettingsViewController* recents)
    : BrowseFilterSettingsViewController(QStringLiteral("Search Settings"), searchKeys(), recents->tables(),
                                         sharedInstanceOwner())
    , m_settingsViewCtrl(recents)
{
}

SearchDisplaySettingsViewController::~SearchDisplaySettingsViewController() = default;

DisplaySettingsViewController* SearchDisplaySettingsViewController::settingsViewCtrl() const
{
    return m_settingsViewCtrl;
}
