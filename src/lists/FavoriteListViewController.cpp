#include "lists/FavoriteListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

FavoriteListViewController::FavoriteListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Favorite Torrents"));
    setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Favorites, 1));
}
