#include "remote/screens/ServerSettingsViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

ServerSettingsViewController::ServerSettingsViewController(QObject* parent)
    : ViewController(parent)
{
    setTitle(QStringLiteral("Remote Settings"));
    setTabBarItem(new TabBarItem(QStringLiteral("Remote Settings"), Bundle::imageNamed(QStringLiteral("tabbar-settings.png")), 0));
}
