#include "screens/community/FriendsListViewController.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "remote/RemoteTexts.h"
#include "screens/community/PmWebViewController.h"
#include "site/FetchPageAllFriends.h"
#include "site/FetchPageChecked.h"
#include "site/SiteAddress.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"
#include "util/TextUtilities.h"
#include "views/FriendItemTableViewCell.h"
#include "views/NoticeItemView.h"

namespace {
const QString kFriendCell = QStringLiteral("FriendCell");
constexpr int kPmButtonSize = 25;
} // namespace

const QString FriendsListViewController::kRemovalFailedMessage =
    QStringLiteral("The friend could not be removed. Please try again later.");

FriendsListViewController::FriendsListViewController(TableViewStyle style, QObject* parent)
    : AllListViewController(style, parent)
{
    setTitle(QStringLiteral("Friends"));
    // The display settings choose torrents; nothing on this screen follows them.
    m_headerView->settingsBtn()->setHidden(true);
    setTabBarItem(new TabBarItem(QStringLiteral("BuddyList"), Bundle::imageNamed(QStringLiteral("tabbar-friends.png")), 0));
}

void FriendsListViewController::fetchPage(int)
{
    fetchFriendsList();
}

void FriendsListViewController::fetchFriendsList()
{
    showLoading(QStringLiteral("Loading..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    auto outcome = std::make_shared<FetchOutcome>();
    Callback<std::optional<QList<Friend>>> deliver(this, [this, outcome](std::optional<QList<Friend>> friends) {
        if (outcome->isFailure()) {
            // The friends shown stay; the notice says why and asks again.
            failedPage(outcome->failure, 1);
            return;
        }
        loadedFriends(std::move(friends));
    });
    auto fetch = std::make_unique<FetchPageAllFriends>(SiteHosts::webUrl(QStringLiteral("/friends.php")), std::move(deliver));
    fetch->setOutcome(outcome);
    m_operationQueue->addOperation(std::move(fetch));
}

void FriendsListViewController::loadedFriends(std::optional<QList<Friend>> friends)
{
    const bool refreshed = m_refreshed;
    // The list screen's own delivery unlocks the screen and ends a refresh; its torrent rows
    // stay empty here and only mark that something was delivered.
    loadedTorrents(friends ? std::optional<QList<Torrent>>(QList<Torrent>()) : std::nullopt);
    if (refreshed && m_friends)
        m_friends->clear();
    if (friends) {
        // The page writes names as HTML ("R&amp;D"): shown, and asked for as a profile, as the
        // members are called.
        for (Friend& person : *friends) {
            person.setName(gtm_stringByUnescapingFromHTML(person.name()));
            person.setType(gtm_stringByUnescapingFromHTML(person.type()));
            person.setDate(gtm_stringByUnescapingFromHTML(person.date()));
        }
        if (m_friends)
            m_friends->append(*friends);
        else
            m_friends = std::move(friends);
    }
    tableView()->reloadData();
}

int FriendsListViewController::numberOfRowsInSection(TableView*, int)
{
    return (m_friends ? int(m_friends->size()) : 0) + (hasNotice() ? 1 : 0);
}

double FriendsListViewController::heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    return isNoticeRow(indexPath, m_friends ? m_friends->size() : 0) ? noticeHeight(tableView) : kRowHeight;
}

TableViewCell* FriendsListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (isNoticeRow(indexPath, m_friends ? m_friends->size() : 0))
        return noticeCell(tableView);
    auto* cell = static_cast<FriendItemTableViewCell*>(tableView->dequeueReusableCellWithIdentifier(kFriendCell));
    if (!cell) {
        cell = new FriendItemTableViewCell(QRect(0, 0, tableView->width(), int(kRowHeight)), kFriendCell);
        cell->setBackgroundColor(Qt::transparent);
    }
    if (!m_friends || indexPath.row < 0 || indexPath.row >= m_friends->size())
        return cell;
    const Friend& person = m_friends->at(indexPath.row);
    cell->setAvatarImg(cachedImageForTorrent(person.avatarUrl()));
    cell->setFriend(person);
    cell->setNeedsDisplay();

    auto* pm = qobject_cast<Button*>(cell->accessoryView());
    if (!pm) {
        pm = new Button(Button::Type::Custom);
        pm->resize(kPmButtonSize, kPmButtonSize);
        pm->setAccessibleName(QStringLiteral("Send message"));
        // On touch-down, not on release.
        connect(pm, &Button::touchDown, this, &FriendsListViewController::didSelectPm);
        cell->setAccessoryView(pm);
    }
    pm->setImage(cachedImageForTorrent(QStringLiteral("pmButton.png")));
    pm->setEnabled(true);
    pm->setTag(person.ids().toInt());
    cell->setNeedsDisplay();
    cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
    return cell;
}

void FriendsListViewController::didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (!m_friends || indexPath.row < 0 || indexPath.row >= m_friends->size())
        return;
    tableView->deselectRowAtIndexPath(indexPath, true);
    didSelectProfile(m_friends->at(indexPath.row).name());
}

void FriendsListViewController::didSelectPm(Button* sender)
{
    showLoading(QStringLiteral("Loading..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    const QUrl url = SiteHosts::webUrl(QStringLiteral("/sendmessage.php?receiver=%1").arg(sender->tag()));
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(new PmWebViewController(url, this), true);
}

bool FriendsListViewController::canEditRowAtIndexPath(TableView*, const IndexPath& indexPath)
{
    return m_friends && indexPath.row >= 0 && indexPath.row < m_friends->size();
}

void FriendsListViewController::commitEditingStyle(TableView* tableView, TableViewCellEditingStyle style,
                                                   const IndexPath& indexPath)
{
    if (style != TableViewCellEditingStyle::Delete || !canEditRowAtIndexPath(tableView, indexPath))
        return;
    const Friend removed = m_friends->at(indexPath.row);
    const int row = indexPath.row;
    // The ids come from a cookie and a page: only digits go into the address. Anything else
    // is not sent, and the removal fails as a refused one does.
    const std::optional<QUrl> url =
        SiteAddress::friendRemovalUrl(UserInfo::sharedInstance().ids(), removed.ids());
    if (url) {
        m_operationQueue->addOperation(std::make_unique<FetchPageChecked>(
            *url, Callback<bool>(this, [this, removed, row](bool accepted) { removalAnswered(accepted, removed, row); })));
    }
    // At once, without waiting for the site.
    m_friends->removeAt(row);
    tableView->deleteRowsAtIndexPaths({indexPath}, TableViewRowAnimation::Fade);
    if (!url)
        removalAnswered(false, removed, row);
}

void FriendsListViewController::removalAnswered(bool accepted, const Friend& removed, int row)
{
    if (accepted)
        return;
    // A list delivered meanwhile may hold the friend again.
    if (!m_friends)
        m_friends = QList<Friend>();
    const bool listed = std::any_of(m_friends->cbegin(), m_friends->cend(),
                                    [&](const Friend& f) { return f.ids() == removed.ids(); });
    if (!listed) {
        m_friends->insert(std::min<qsizetype>(row, m_friends->size()), removed);
        tableView()->reloadData();
    }
    auto* alert = new AlertView(RemoteTexts::websiteProblemTitle, kRemovalFailedMessage, nullptr, RemoteTexts::okButton);
    alert->show();
}
