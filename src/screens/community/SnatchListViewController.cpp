#include "screens/community/SnatchListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "screens/pages/TorrentWebViewController.h"
#include "site/FetchPageAllSnatchTorrents.h"
#include "site/SiteAddress.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"
#include "views/TorrentSnatchItemTableViewCell.h"

namespace {
const QString kTorrentCell = QStringLiteral("TorrentCell");
} // namespace

SnatchListViewController::SnatchListViewController(TableViewStyle style, QObject* parent)
    : AllListViewController(style, parent)
{
    setTitle(QStringLiteral("Snatch List"));
    setTabBarItem(new TabBarItem(QStringLiteral("My SnatchList"), Bundle::imageNamed(QStringLiteral("tabbar-history.png")), 0));
    m_headerView->settingsBtn()->setHidden(true);
}

QString SnatchListViewController::postBody(const QString& userId)
{
    // The id is the "uid" cookie's value: anything but digits could add fields to the form.
    if (!SiteAddress::isNumericId(userId))
        return QString();
    QString body = QStringLiteral("sEcho=1&iColumns=10&sColumns=&iDisplayStart=0&iDisplayLength=50&sSearch=&bEscapeRegex=true");
    for (int column = 0; column < 10; ++column)
        body += QStringLiteral("&sSearch_%1=&bEscapeRegex_%1=true&bSearchable_%1=true").arg(column);
    body += QStringLiteral("&iSortingCols=1&iSortCol_0=9&sSortDir_0=desc");
    for (int column = 0; column < 10; ++column)
        body += QStringLiteral("&bSortable_%1=%2").arg(column).arg(column == 5 ? QStringLiteral("false") : QStringLiteral("true"));
    return body + QStringLiteral("&userID=") + userId;
}

void SnatchListViewController::fetchPage(int)
{
    fetchSnatchList();
}

void SnatchListViewController::fetchSnatchList()
{
    const QUrl url = SiteHosts::webUrl(QStringLiteral("/user/account/snatchlist"));
    const QString body = postBody(UserInfo::sharedInstance().ids());
    if (body.isNull()) {
        // Nothing is asked without the user's id: the screen ends as after a failed exchange.
        qWarning("The snatch list was not asked for: the user's id is not a number");
        loadedTorrents(std::nullopt);
        return;
    }
    showLoading(QStringLiteral("Loading..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<std::optional<QList<Torrent>>> deliver(this, [this, outcome](std::optional<QList<Torrent>> torrents) {
        loadedListing(std::move(torrents), *outcome, 1);
    });
    auto fetch = std::make_unique<FetchPageAllSnatchTorrents>(url, body, std::move(deliver));
    fetch->setOutcome(outcome);
    m_operationQueue->addOperation(std::move(fetch));
}

int SnatchListViewController::numberOfRowsInSection(TableView*, int)
{
    // One row per record: one request gives all there is; a notice (a failed fetch) after them.
    return (m_torrentData ? int(m_torrentData->size()) : 0) + (hasNotice() ? 1 : 0);
}

TableViewCell* SnatchListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (isNoticeRow(indexPath, m_torrentData ? m_torrentData->size() : 0))
        return noticeCell(tableView);
    if (!m_torrentData || indexPath.row < 0 || indexPath.row >= m_torrentData->size())
        return nullptr;
    auto* cell = static_cast<TorrentSnatchItemTableViewCell*>(tableView->dequeueReusableCellWithIdentifier(kTorrentCell));
    if (!cell) {
        cell = new TorrentSnatchItemTableViewCell(QRect(0, 0, tableView->width(), int(kRowHeight)), kTorrentCell);
        cell->setBackgroundColor(Qt::transparent);
    }
    cell->setUpImg(cachedImageForTorrent(QStringLiteral("up.jpg")));
    cell->setDownImg(cachedImageForTorrent(QStringLiteral("down.jpg")));
    cell->setTorrent(m_torrentData->at(indexPath.row));
    cell->setNeedsDisplay();
    cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
    return cell;
}

void SnatchListViewController::didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (!m_torrentData || indexPath.row < 0 || indexPath.row >= m_torrentData->size())
        return;
    // The record's address begins with "/": the site takes the double slash.
    const QUrl url(QStringLiteral("http://%1/%2").arg(SiteHosts::webHost(), m_torrentData->at(indexPath.row).detailsUrl()));
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(new TorrentWebViewController(url, indexPath.row, this), true);
    tableView->deselectRowAtIndexPath(indexPath, true);
}
