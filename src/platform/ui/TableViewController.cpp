#include "platform/ui/TableViewController.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/TableViewCell.h"

#include <QVBoxLayout>

TableViewController::TableViewController(TableViewStyle style, QObject* parent)
    : ViewController(parent), m_style(style)
{
}

TableViewController::~TableViewController() = default;

TableView* TableViewController::tableView()
{
    view();
    return m_tableView;
}

void TableViewController::setTableView(TableView* tableView)
{
    m_tableView = tableView;
    if (tableView) {
        tableView->setDataSource(this);
        tableView->setDelegate(this);
    }
}

void TableViewController::loadView()
{
    auto* table = new TableView(m_style);
    table->resize(Device::screenBounds().size());
    setTableView(table);
    setView(table);
}

void TableViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    TableView* table = tableView();
    if (!table)
        return;
    // Readers hear the list by its screen's title ("All Torrents, list").
    Accessibility::nameUnlessNamed(table, title());
    if (!m_loadedOnce) {
        m_loadedOnce = true;
        table->reloadData();
    } else if (m_clearsSelection) {
        if (const auto selected = table->indexPathForSelectedRow())
            table->deselectRowAtIndexPath(*selected, animated);
    }
}

int TableViewController::numberOfRowsInSection(TableView*, int)
{
    return 0;
}

TableViewCell* TableViewController::cellForRowAtIndexPath(TableView*, const IndexPath&)
{
    return nullptr;
}

NavigationBar* TableViewController::loadTitledTableView()
{
    auto* root = new QWidget;
    root->resize(Device::screenBounds().size());
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* titleBar = new NavigationBar(root);
    titleBar->setBarStyle(NavigationBar::BarStyle::Black);
    titleBar->setItems(navigationItem(), nullptr);
    column->addWidget(titleBar);
    auto* table = new TableView(m_style, root);
    column->addWidget(table, 1);
    setTableView(table);
    setView(root);
    return titleBar;
}
