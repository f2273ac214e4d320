#pragma once

#include "platform/ui/AccessibleItemView.h"

class MoreListView;

// The More list as a list of items, each read by its screen's title; pressing one opens it.
class AccessibleMoreList : public AccessibleItemView
{
public:
    explicit AccessibleMoreList(MoreListView* list);

    int itemCount() const override;
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    void doItemAction(int index, const QString& action) override;

private:
    MoreListView* list() const;
};
