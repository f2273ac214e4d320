#include "lists/SearchListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

SearchListViewController::SearchListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("Search"));
    setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Search, 0));
}
