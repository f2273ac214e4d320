#include "platform/ui/MoreListViewController.h"

#include "platform/ui/Device.h"
#include "platform/ui/MoreListView.h"

MoreListViewController::MoreListViewController(QObject* parent)
    : ViewController(parent)
{
    setTitle(QStringLiteral("More"));
}

void MoreListViewController::setItems(const QList<TabBarItem*>& items)
{
    m_items = items;
    if (isViewLoaded())
        listView()->setItems(items);
}

MoreListView* MoreListViewController::listView()
{
    return static_cast<MoreListView*>(view());
}

void MoreListViewController::loadView()
{
    auto* list = new MoreListView;
    list->resize(Device::screenBounds().size());
    list->setItems(m_items);
    connect(list, &MoreListView::rowSelected, this, &MoreListViewController::rowSelected);
    setView(list);
}
