#include "lists/HistoryListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

HistoryListViewController::HistoryListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("D/l History"));
    setTabBarItem(new TabBarItem(QStringLiteral("D/l History"), Bundle::imageNamed(QStringLiteral("tabbar-snatch.png")), 0));
}
