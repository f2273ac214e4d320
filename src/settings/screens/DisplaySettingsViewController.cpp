#include "settings/screens/DisplaySettingsViewController.h"

#include <QMutex>
#include <QMutexLocker>

// Stub: the screen's content follows.

DisplaySettingsViewController* DisplaySettingsViewController::sharedInstance()
{
    static QMutex lock;
    static DisplaySettingsViewController* instance = nullptr;
    QMutexLocker locker(&lock);
    if (!instance)
        instance = new DisplaySettingsViewController();
    return instance;
}

DisplaySettingsViewController::DisplaySettingsViewController(QObject* parent)
    : ViewController(parent)
{
}

DisplaySettingsViewController::~DisplaySettingsViewController() = default;

void DisplaySettingsViewController::release()
{
    // The shared instance stays alive after being popped.
}
