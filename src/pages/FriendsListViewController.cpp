#include "pages/FriendsListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

FriendsListViewController::FriendsListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Friends"));
    setTabBarItem(new TabBarItem(QStringLiteral("BuddyList"), Bundle::imageNamed(QStringLiteral("tabbar-friends.png")), 0));
}
