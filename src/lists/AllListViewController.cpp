#include "lists/AllListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

AllListViewController::AllListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("All Torrents"));
    setTabBarItem(new TabBarItem(QStringLiteral("All Torrents"), Bundle::imageNamed(QStringLiteral("tabbar-all.png")), 0));
}
