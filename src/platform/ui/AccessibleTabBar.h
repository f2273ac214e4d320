#pragma once

#include "platform/ui/AccessibleItemView.h"

class TabBar;

// The tab bar as a list of page tabs: each tab is read by its title, the chosen one as
// selected, and pressing a tab does what tapping it does.
class AccessibleTabBar : public AccessibleItemView
{
public:
    explicit AccessibleTabBar(TabBar* bar);

    int itemCount() const override;
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    void doItemAction(int index, const QString& action) override;

private:
    TabBar* bar() const;
};
