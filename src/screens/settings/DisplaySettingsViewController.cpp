#include "screens/settings/DisplaySettingsViewController.h"

#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "settings/SiteCodes.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_classLock;
DisplaySettingsViewController* g_instance = nullptr;

BrowseFilterSettingsViewController::Keys recentsKeys()
{
    return {SettingsKeys::categories, SettingsKeys::language, SettingsKeys::orderBy, SettingsKeys::sortBy,
            &Settings::setCategories, &Settings::setLanguage, &Settings::setOrderBy, &Settings::setSortBy};
}

BrowseFilterSettingsViewController::Tables siteTables()
{
    return {SiteCodes::order(), SiteCodes::sort(), SiteCodes::categories(), SiteCodes::languages()};
}
} // namespace

DisplaySettingsViewController* DisplaySettingsViewController::sharedInstance()
{
    QMutexLocker locker(&g_classLock);
    if (!g_instance)
        g_instance = new DisplaySettingsViewController;
    return g_instance;
}

void DisplaySettingsViewController::resetSharedInstanceForTests()
{
    QMutexLocker locker(&g_classLock);
    delete g_instance;
    g_instance = nullptr;
}

DisplaySettingsViewController::DisplaySettingsViewController()
    : BrowseFilterSettingsViewController(QStringLiteral("Recents Display Settings"), recentsKeys(), siteTables(),
                                         sharedInstanceOwner())
{
}

DisplaySettingsViewController::~DisplaySettingsViewController() = default;
