#include "screens/login/LogoutViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "screens/login/SessionSwitch.h"

#include <QLoggingCategory>

namespace {
// The screen's one debug line, off unless asked for (QT_LOGGING_RULES="itarnvale.logout.debug=true").
Q_LOGGING_CATEGORY(logoutLog, "itarnvale.logout", QtWarningMsg)
} // namespace

LogoutViewController::LogoutViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Logout"));
    setTabBarItem(new TabBarItem(QStringLiteral("Logout"), Bundle::imageNamed(QStringLiteral("tabbar-logout.png")), 0));
}

void LogoutViewController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    qCDebug(logoutLog, "viewWillAppear");
    if (TabBarController* tabs = tabBarController()) {
        tabs->setSelectedIndex(0);
        tabs->moreNavigationController()->popToRootViewControllerAnimated(false);
    }
    if (m_sessionSwitch)
        m_sessionSwitch->logout();
}
