#include "settings/screens/SearchDisplaySettingsViewController.h"

#include <QMutex>
#include <QMutexLocker>

// Stub: the screen's content follows.

SearchDisplaySettingsViewController* SearchDisplaySettingsViewController::sharedInstance()
{
    static QMutex lock;
    static SearchDisplaySettingsViewController* instance = nullptr;
    QMutexLocker locker(&lock);
    if (!instance)
        instance = new SearchDisplaySettingsViewController();
    return instance;
}

SearchDisplaySettingsViewController::SearchDisplaySettingsViewController(QObject* parent)
    : ViewController(parent)
{
}

SearchDisplaySettingsViewController::~SearchDisplaySettingsViewController() = default;

void SearchDisplaySettingsViewController::release()
{
    // The shared instance stays alive after being popped.
}
