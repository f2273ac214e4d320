#include "pages/SnatchListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

SnatchListViewController::SnatchListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Snatch List"));
    setTabBarItem(new TabBarItem(QStringLiteral("My SnatchList"), Bundle::imageNamed(QStringLiteral("tabbar-history.png")), 0));
}
