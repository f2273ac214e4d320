#pragma once

#include "platform/ui/TableView.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QPointer>

class NavigationBar;

// A screen whose view is a table it feeds itself: it is the table's data source and delegate.
// The table loads its rows the first time it appears; on each appearance a row left selected
// is deselected (animated) unless clearsSelectionOnViewWillAppear is off. A subclass that
// builds a different view in loadView places its table with setTableView.
class TableViewController : public ViewController, public TableViewDataSource, public TableViewDelegate
{
    Q_OBJECT
public:
    explicit TableViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);
    ~TableViewController() override;

    TableViewStyle tableViewStyle() const { return m_style; }
    // The table (the view is made on first use).
    TableView* tableView();
    void setTableView(TableView* tableView);

    bool clearsSelectionOnViewWillAppear() const { return m_clearsSelection; }
    void setClearsSelectionOnViewWillAppear(bool clears) { m_clearsSelection = clears; }

    void loadView() override;
    void viewWillAppear(bool animated) override;

    int numberOfRowsInSection(TableView* tableView, int section) override;
    TableViewCell* cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath) override;

protected:
    // For loadView: the view becomes a black title bar with this screen's navigation item over
    // its table, for a screen that stands without a navigation controller of its own.
    NavigationBar* loadTitledTableView();

private:
    TableViewStyle m_style;
    QPointer<TableView> m_tableView;
    bool m_clearsSelection = true;
    bool m_loadedOnce = false;
};
