#include "platform/ui/AccessibleTabBar.h"

#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarItem.h"

AccessibleTabBar::AccessibleTabBar(TabBar* bar) : AccessibleItemView(bar, QAccessible::PageTabList, QAccessible::PageTab)
{
}

TabBar* AccessibleTabBar::bar() const
{
    return static_cast<TabBar*>(widget());
}

int AccessibleTabBar::itemCount() const
{
    return int(bar()->items().size());
}

QString AccessibleTabBar::itemText(int index, QAccessible::Text t) const
{
    const TabBarItem* item = bar()->items().value(index);
    if (!item || t != QAccessible::Name)
        return {};
    return item->title();
}

QRect AccessibleTabBar::itemRect(int index) const
{
    return bar()->itemRect(index);
}

QAccessible::State AccessibleTabBar::itemState(int index) const
{
    QAccessible::State s;
    const TabBarItem* item = bar()->items().value(index);
    s.selectable = true;
    s.focusable = true;
    s.selected = index == bar()->selectedIndex();
    s.focused = bar()->hasFocus() && index == bar()->focusIndex();
    s.disabled = !bar()->isEnabled() || !item || !item->isEnabled();
    return s;
}

void AccessibleTabBar::doItemAction(int index, const QString&)
{
    bar()->tapItem(index);
}
