#include "platform/ui/AccessibleMoreList.h"

#include "platform/ui/MoreListView.h"
#include "platform/ui/TabBarItem.h"

AccessibleMoreList::AccessibleMoreList(MoreListView* list) : AccessibleItemView(list, QAccessible::List, QAccessible::ListItem)
{
}

MoreListView* AccessibleMoreList::list() const
{
    return static_cast<MoreListView*>(widget());
}

int AccessibleMoreList::itemCount() const
{
    return list()->count();
}

QString AccessibleMoreList::itemText(int index, QAccessible::Text t) const
{
    const TabBarItem* item = list()->items().value(index);
    if (!item || t != QAccessible::Name)
        return {};
    return item->title();
}

QRect AccessibleMoreList::itemRect(int index) const
{
    return list()->rowRect(index);
}

QAccessible::State AccessibleMoreList::itemState(int index) const
{
    QAccessible::State s;
    const TabBarItem* item = list()->items().value(index);
    s.focusable = true;
    s.focused = list()->hasFocus() && index == list()->focusRow();
    s.disabled = !list()->isEnabled() || !item || !item->isEnabled();
    return s;
}

void AccessibleMoreList::doItemAction(int index, const QString&)
{
    list()->chooseRow(index);
}
