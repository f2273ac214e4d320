#pragma once

#include "platform/ui/ViewController.h"

#include <QList>

class MoreListView;
class TabBarItem;

// The root screen of the "More" tab: lists the tabs that do not fit in the tab bar.
class MoreListViewController : public ViewController
{
    Q_OBJECT

public:
    explicit MoreListViewController(QObject* parent = nullptr);

    void setItems(const QList<TabBarItem*>& items);
    MoreListView* listView();

    void loadView() override;

Q_SIGNALS:
    void rowSelected(int row);

private:
    QList<TabBarItem*> m_items;
};
