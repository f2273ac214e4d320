#include "screens/lists/HistoryListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "screens/common/SettingsSaveAlert.h"
#include "settings/DownloadHistory.h"
#include "views/TextRowCell.h"


HistoryListViewController::HistoryListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
{
    setTitle(QStringLiteral("D/l History"));
    setTabBarItem(new TabBarItem(QStringLiteral("D/l History"), Bundle::imageNamed(QStringLiteral("tabbar-snatch.png")), 0));
    reloadHistory();
}

void HistoryListViewController::loadView()
{
    m_titleBar = loadTitledTableView();
}

QString HistoryListViewController::sentText(const QDateTime& sent)
{
    if (!sent.isValid())
        return {};
    return QStringLiteral("Sent %1").arg(sent.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

void HistoryListViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    tableView()->setBackgroundColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    tableView()->setSeparatorStyle(TableViewCellSeparatorStyle::None);
}

void HistoryListViewController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    reloadHistory();
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(true, animated);
}

void HistoryListViewController::reloadHistory()
{
    m_historyTorrents = DownloadHistory::names();
    if (isViewLoaded())
        tableView()->reloadData();
}

int HistoryListViewController::numberOfRowsInSection(TableView*, int)
{
    return int(m_historyTorrents.size());
}

double HistoryListViewController::heightForRowAtIndexPath(TableView*, const IndexPath&)
{
    return kRowHeight;
}

TableViewCell* HistoryListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    const qsizetype index = m_historyTorrents.size() - 1 - indexPath.row;
    if (index < 0 || index >= m_historyTorrents.size())
        return nullptr;
    TextRowCell* cell = TextRowCell::dequeue(tableView);
    const QString& name = m_historyTorrents.at(index);
    cell->label()->setText(name);
    cell->setDetail(sentText(DownloadHistory::sentDate(name)));
    return cell;
}

void HistoryListViewController::didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    tableView->deselectRowAtIndexPath(indexPath, true);
}

bool HistoryListViewController::canEditRowAtIndexPath(TableView*, const IndexPath&)
{
    return true;
}

void HistoryListViewController::commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style,
                                                   const IndexPath& indexPath)
{
    if (style != TableViewCellEditingStyle::Delete)
        return;
    const qsizetype index = m_historyTorrents.size() - 1 - indexPath.row;
    if (index < 0 || index >= m_historyTorrents.size())
        return;
    // The entry the user swiped, found again in the stored list: when that list has changed
    // under the screen (another hand-off, another program) so that the name no longer stands
    // there, nothing is removed and the screen shows the list as it now is. When the file
    // cannot be written the entry stays (it would come back at the next start), and the user
    // is told why.
    SaveResult saved;
    const DownloadHistory::Removal removal =
        DownloadHistory::removeFromNewest(indexPath.row, m_historyTorrents.at(index), &saved);
    if (removal != DownloadHistory::Removal::Removed) {
        SettingsSaveAlert::check(saved);
        reloadHistory();
        return;
    }
    m_historyTorrents.removeAt(index);
    tableView->deleteRowsAtIndexPaths({indexPath}, TableViewRowAnimation::Fade);
}
