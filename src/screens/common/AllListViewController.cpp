#include "screens/common/AllListViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"
#include "remote/FetchPageDownload.h"
#include "screens/common/SendAgainAlert.h"
#include "screens/community/ProfileWebViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "settings/DownloadHistory.h"
#include "settings/Settings.h"
#include "site/FetchPageAllTorrents.h"
#include "site/FetchPageUserFigures.h"
#include "site/ListingQuery.h"
#include "site/SiteAddress.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"
#include "views/BannerView.h"
#include "views/HeaderView.h"
#include "views/LoadMoreItemView.h"
#include "views/LoadingIndicator.h"
#include "views/NoticeItemView.h"
#include "views/ScaleToSize.h"
#include "views/SendingTorrentIndicator.h"
#include "views/TorrentItemTableViewCell.h"
#include "views/UIUnderlinedLabel.h"

#include <QEvent>
#include <QUrl>

#include <algorithm>

namespace {

const QString kTorrentCell = QStringLiteral("TorrentCell");
const QString kDefaultCell = QStringLiteral("Default");
const QString kUnknownPicture = QStringLiteral("cat_unknown.png");
constexpr int kCacheCapacity = 30;
constexpr int kDownloadButtonSize = 25;
constexpr int kSendingOffset = 50;

// The sign-in after which the figures were last asked for (by any list: they share the
// record), so that every list appearing after a sign-in does not ask again. Main thread only.
std::optional<quint64> g_figuresAskedAfter;

// Keeps the table between its top and the bottom of the screen's view when the view resizes.
class TableFitter : public QObject
{
public:
    TableFitter(QWidget* view, TableView* table) : QObject(view), m_table(table) { view->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && m_table) {
            auto* view = static_cast<QWidget*>(watched);
            m_table->setGeometry(0, m_table->y(), view->width(), std::max(0, view->height() - m_table->y()));
        }
        return false;
    }

private:
    QPointer<TableView> m_table;
};

} // namespace

AllListViewController::AllListViewController(TableViewStyle style, QObject* parent)
    : TableViewController(style, parent)
    , m_operationQueue(std::make_unique<OperationQueue>(1))
    , m_imageOperationQueue(std::make_unique<OperationQueue>(3))
{
    m_cachedImages.reserve(kCacheCapacity);

    m_headerView = new HeaderView;
    m_headerView->setGeometry(0, 0, Device::screenBounds().width(), HeaderView::kHeight);
    m_headerView->setParentDelegate(this);
    m_headerView->settingsBtn()->setHidden(false);

    setTitle(QStringLiteral("All Torrents"));
    setTabBarItem(new TabBarItem(QStringLiteral("All Torrents"), Bundle::imageNamed(QStringLiteral("tabbar-all.png")), 0));
}

AllListViewController::~AllListViewController()
{
    // Until the view is built the header has no parent.
    if (m_headerView && !m_headerView->parent())
        delete m_headerView;
}

void AllListViewController::loadView()
{
    const QRect screen = Device::screenBounds();
    TabBarController* tabs = tabBarController();
    const QSize area = tabs && tabs->isViewLoaded() ? tabs->view()->size() : screen.size();

    auto* view = new QWidget;
    view->resize(area.width(), area.height() - TabBarController::kBarHeight);
    m_contentView = view;

    auto* banner = new BannerView;
    m_adMobAd = banner;

    auto* table = new TableView(tableViewStyle());
    // The table runs to the bottom of the screen's view, so that its last rows (the load-more
    // row among them) can always be scrolled above the tab bar.
    const int top = banner->height() + kTableOffset;
    table->setGeometry(0, top, area.width(), std::max(0, view->height() - top));
    new TableFitter(view, table);
    setTableView(table);

    table->setParent(view);
    banner->setParent(view);
    banner->move(0, 0);
    m_headerView->setParent(view);
    m_headerView->setGeometry(0, banner->height(), screen.width(), HeaderView::kHeight);
    banner->loadRequest();
    setView(view);
}

void AllListViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    tableView()->setBackgroundColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    tableView()->setSeparatorStyle(TableViewCellSeparatorStyle::None);
}

void AllListViewController::prepareAppearance(bool animated)
{
    TableViewController::viewWillAppear(animated);
    reloadHeaderView();
    const UserInfo& user = UserInfo::sharedInstance();
    if (!user.username().isEmpty() && g_figuresAskedAfter != user.signIns())
        fetchUserFigures();
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(true, animated);
}

void AllListViewController::viewWillAppear(bool animated)
{
    prepareAppearance(animated);
    if (!m_torrentData) {
        m_currentPage = 1;
        fetchPage(1);
    } else if (settingsChangedSinceFetch() && !isLoadingPages()) {
        // A category or order chosen meanwhile: the rows shown no longer answer it.
        didRefresh();
    }
}

void AllListViewController::noteFetchedUnder(Settings::Listing listing)
{
    m_fetchedUnder = FetchedUnder{listing, Settings::listingGeneration(listing)};
}

bool AllListViewController::settingsChangedSinceFetch() const
{
    return m_fetchedUnder && Settings::listingGeneration(m_fetchedUnder->listing) != m_fetchedUnder->generation;
}

void AllListViewController::allowSelectionUnlessLoading()
{
    if (!isLoadingPages())
        tableView()->setAllowsSelection(true);
}

void AllListViewController::viewWillDisappear(bool animated)
{
    TableViewController::viewWillDisappear(animated);
}

// Pages ---------------------------------------------------------------------------------------

void AllListViewController::showLoading(const QString& text)
{
    m_loading = LoadingIndicator::sharedInstance();
    m_loading->setParentView(Window::keyWindow());
    m_loading->setString(text);
    m_loading->setOffset(0);
    m_loading->showLoadingIndicators();
}

void AllListViewController::fetchPage(int page)
{
    noteFetchedUnder(Settings::Listing::Recent);
    const QUrl url = Settings::recentListingQuery().url(page);
    showLoading(QStringLiteral("Loading..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    m_operationQueue->addOperation(listingFetch(url, page));
}

void AllListViewController::loadedTorrents(std::optional<QList<Torrent>> torrents)
{
    TableView* table = tableView();
    if (m_refreshed) {
        table->setScrollEnabled(true);
        if (m_torrentData)
            m_torrentData->clear();
        m_refreshed = false;
    }
    m_noMoreTorrents = !torrents || torrents->isEmpty();
    m_notice.reset();
    if (m_loading)
        m_loading->hideLoadingIndicators();
    disableTabs(false);
    allowSelectionUnlessLoading();
    if (Button* refresh = m_headerView ? m_headerView->refreshBtn() : nullptr)
        refresh->setEnabled(true);

    if (torrents) {
        filterData(*torrents);
        if (m_torrentData)
            m_torrentData->append(*torrents);
        else
            m_torrentData = std::move(torrents);
    }
    table->reloadData();
}

void AllListViewController::filterData(QList<Torrent>& torrents)
{
    if (torrents.isEmpty())
        m_noMoreTorrents = true;
    if (m_filters.isEmpty() && !isFavoritesList())
        return;
    torrents.removeIf([this](const Torrent& torrent) {
        return std::none_of(m_filters.cbegin(), m_filters.cend(),
                            [&](const Filter& filter) { return filter.isAccepted(torrent.name()); });
    });
}

bool AllListViewController::loadMoreRowTakesTouches() const
{
    return m_operationQueue->operationCount() < 2;
}

QString AllListViewController::pageRangeText(int currentPage)
{
    return QStringLiteral("[%1-%2]").arg(currentPage * kTorrentsPerPage).arg(currentPage * kTorrentsPerPage + kTorrentsPerPage);
}

// Table ---------------------------------------------------------------------------------------

bool AllListViewController::isLoadMoreRow(const IndexPath& indexPath) const
{
    return !m_noMoreTorrents && m_torrentData && indexPath.row == m_torrentData->size() + (m_notice ? 1 : 0);
}

int AllListViewController::numberOfRowsInSection(TableView*, int)
{
    if (!m_torrentData)
        return m_notice ? 1 : 0;
    return int(m_torrentData->size()) + (m_notice ? 1 : 0) + (m_noMoreTorrents ? 0 : 1);
}

double AllListViewController::heightForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (isNoticeRow(indexPath, m_torrentData ? m_torrentData->size() : 0))
        return noticeHeight(tableView);
    return kRowHeight;
}

TableViewCell* AllListViewController::cellForRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (isNoticeRow(indexPath, m_torrentData ? m_torrentData->size() : 0))
        return noticeCell(tableView);
    if (isLoadMoreRow(indexPath))
        return loadMoreCell(tableView);
    if (!m_torrentData || indexPath.row < 0 || indexPath.row >= m_torrentData->size())
        return nullptr;
    return torrentCell(tableView, m_torrentData->at(indexPath.row), indexPath.row);
}

TableViewCell* AllListViewController::loadMoreCell(TableView* tableView)
{
    TableViewCell* cell = tableView->dequeueReusableCellWithIdentifier(kDefaultCell);
    LoadMoreItemView* item = cell ? cell->contentView()->findChild<LoadMoreItemView*>() : nullptr;
    if (!cell) {
        cell = new TableViewCell(TableViewCellStyle::Default, kDefaultCell);
        cell->setBackgroundColor(Qt::transparent);
        cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
    }
    if (!item) {
        item = new LoadMoreItemView(cell->contentView());
        item->setGeometry(0, 0, Device::screenBounds().width(), kLoadMoreHeight);
        item->pageLbl()->setAdjustsFontSizeToFitWidth(true);
        item->show();
    }
    item->pageLbl()->setText(pageRangeText(m_currentPage));
    return cell;
}

TableViewCell* AllListViewController::torrentCell(TableView* tableView, const Torrent& torrent, int row)
{
    auto* cell = static_cast<TorrentItemTableViewCell*>(tableView->dequeueReusableCellWithIdentifier(kTorrentCell));
    Button* download = cell ? qobject_cast<Button*>(cell->accessoryView()) : nullptr;
    if (!cell) {
        cell = new TorrentItemTableViewCell(QRect(0, 0, tableView->width(), int(kRowHeight)), kTorrentCell);
        cell->setBackgroundColor(Qt::transparent);
        cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
    }
    if (!download) {
        download = new Button(Button::Type::Custom);
        download->resize(kDownloadButtonSize, kDownloadButtonSize);
        download->setAccessibleName(QStringLiteral("Send to client"));
        // On touch-down, not on release: the tap sends at once.
        connect(download, &Button::touchDown, this, [this](Button* sender) { didTapDownloadButton(sender->tag()); });
        cell->setAccessoryView(download);
    }
    download->setImage(cachedImageForTorrent(QStringLiteral("download.png")));
    download->setTag(row);

    cell->setTorrent(torrent);
    cell->setUpImg(cachedImageForTorrent(QStringLiteral("up.jpg")));
    cell->setDownImg(cachedImageForTorrent(QStringLiteral("down.jpg")));
    cell->setTypeImg(cachedImageForTorrent(torrent.type()));
    cell->setDownloadedImg(torrent.isDownloaded() ? cachedImageForTorrent(QStringLiteral("downloaded.png")) : QImage());
    cell->setNeedsDisplay();
    return cell;
}

void AllListViewController::didSelectRowAtIndexPath(TableView* tableView, const IndexPath& indexPath)
{
    if (isLoadMoreRow(indexPath)) {
        tableView->deselectRowAtIndexPath(indexPath, true);
        if (!loadMoreRowTakesTouches())
            return;
        ++m_currentPage;
        fetchPage(m_currentPage);
        return;
    }
    if (!m_torrentData || indexPath.row >= m_torrentData->size())
        return;
    const QUrl url = SiteHosts::webUrl(m_torrentData->at(indexPath.row).detailsUrl());
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(new TorrentWebViewController(url, indexPath.row, this), true);
    tableView->deselectRowAtIndexPath(indexPath, true);
}

// Tabs, pictures, header ---------------------------------------------------------------------

void AllListViewController::disableTabs(bool disable)
{
    TabBarController* tabs = tabBarController();
    if (!tabs)
        return;
    for (TabBarItem* item : tabs->tabBarItems())
        item->setEnabled(!disable);
    tabs->moreNavigationController()->tabBarItem()->setEnabled(!disable);
}

QImage AllListViewController::cachedImageForTorrent(const QString& key)
{
    const auto cached = m_cachedImages.constFind(key);
    if (cached != m_cachedImages.constEnd())
        return *cached;
    if (key.contains(QLatin1String("http://"))) {
        // Delivered under the key the rows ask by, whatever form the loader gives its address.
        Callback<LoadedImage> ready(this, [this, key](LoadedImage loaded) {
            loaded.url = key;
            imageReady(std::move(loaded));
        });
        m_imageOperationQueue->addOperation(std::make_unique<ImageLoader>(QUrl(key), std::move(ready)));
        // Empty until the picture arrives; rows ask again when the table reloads.
        QImage placeholder;
        m_cachedImages.insert(key, placeholder);
        return placeholder;
    }
    QImage picture = Bundle::imageNamed(key);
    if (!picture.isNull()) {
        m_cachedImages.insert(key, picture);
        return picture;
    }
    const auto unknown = m_cachedImages.constFind(kUnknownPicture);
    if (unknown != m_cachedImages.constEnd())
        return *unknown;
    picture = Bundle::imageNamed(kUnknownPicture);
    m_cachedImages.insert(kUnknownPicture, picture);
    return picture;
}

void AllListViewController::imageReady(LoadedImage image)
{
    m_cachedImages.insert(image.url, scaleToSize(image.image, QSizeF(48, 36)));
    if (isViewLoaded())
        tableView()->reloadData();
}

void AllListViewController::reloadHeaderView()
{
    m_userInfo = &UserInfo::sharedInstance();
    if (!m_headerView)
        return;
    m_headerView->ratioLbl()->setText(m_userInfo->ratio());
    m_headerView->usernameLbl()->setTitle(m_userInfo->username());
    // No name yet, nothing to tap: not an empty button for the keyboard or a reader.
    m_headerView->usernameLbl()->setVisible(!m_userInfo->username().isEmpty());
    m_headerView->downLbl()->setText(m_userInfo->downloaded());
    m_headerView->upLbl()->setText(m_userInfo->uploaded());
    m_headerView->usernameLbl()->update();
    m_headerView->update();
}

void AllListViewController::fetchUserFigures()
{
    const UserInfo& user = UserInfo::sharedInstance();
    g_figuresAskedAfter = user.signIns();
    const std::optional<QUrl> url = SiteAddress::profileUrl(user.username());
    if (!url)
        return;
    // On the side queue of the pictures: a page fetch or a send is not held up by it, and
    // the load-more row, which counts the main queue, does not wait for it.
    m_imageOperationQueue->addOperation(std::make_unique<FetchPageUserFigures>(
        *url, Callback<bool>(this, [this](bool found) {
            if (found)
                reloadHeaderView();
        })));
}

void AllListViewController::didRefresh()
{
    fetchUserFigures();
    TableView* table = tableView();
    table->scrollToTop(false);
    table->setScrollEnabled(false);
    m_refreshed = true;
    m_currentPage = 1;
    m_headerView->refreshBtn()->setEnabled(false);
    fetchPage(1);
}

void AllListViewController::didSettings()
{
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(DisplaySettingsViewController::sharedInstance(), true);
}

void AllListViewController::didSelectProfile(const QString& username)
{
    const QString name = username.isNull() ? UserInfo::sharedInstance().username() : username;
    // A name comes from a page: escaped as one segment, it cannot lead elsewhere on the site.
    // One without a segment of its own ("", "..") has no profile to open.
    const std::optional<QUrl> url = SiteAddress::profileUrl(name);
    if (!url) {
        qWarning("A profile was asked for a name that has no address of its own");
        return;
    }
    showLoading(QStringLiteral("Loading..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(new ProfileWebViewController(*url, this), true);
}

// Sending -------------------------------------------------------------------------------------

QString AllListViewController::sendingText(int count)
{
    if (count >= 2)
        return QStringLiteral("Sending %1 torrent%2 to server").arg(QString::number(count), QStringLiteral("s"));
    return QStringLiteral("Sending %1 torrent%2 to server").arg(QString(), QString());
}

void AllListViewController::didTapDownloadButton(int tag)
{
    if (!m_torrentData || tag < 0 || tag >= m_torrentData->size())
        return;
    const Torrent torrent = m_torrentData->at(tag);
    // A second tap (a double click) while the torrent is being sent or asked about does nothing.
    if (m_sendingNames.contains(torrent.name()) || m_askingName == torrent.name())
        return;
    if (!DownloadHistory::contains(torrent.name())) {
        sendTorrent(torrent);
        return;
    }
    m_askingName = torrent.name();
    SendAgainAlert::ask(torrent.name(), DownloadHistory::sentDate(torrent.name()), this, [this, torrent](bool again) {
        m_askingName.clear();
        if (again && !m_sendingNames.contains(torrent.name()))
            sendTorrent(torrent);
    });
}

void AllListViewController::sendTorrent(const Torrent& torrent)
{
    m_sendingNames.append(torrent.name());
    m_loadingTorrent = SendingTorrentIndicator::sharedInstance();
    m_loadingTorrent->setParentView(Window::keyWindow());
    ++m_sendingTorrentCount;
    m_loadingTorrent->setString(sendingText(m_sendingTorrentCount));
    m_loadingTorrent->setOffset(kSendingOffset);
    m_loadingTorrent->showLoadingIndicators();

    const QUrl url = SiteHosts::webUrl(torrent.downloadUrl());
    allowSelectionUnlessLoading();
    disableTabs(true);
    m_operationQueue->addOperation(
        std::make_unique<FetchPageDownload>(url, torrent.name(), this, &AllListViewController::downloadedFinished));
}

void AllListViewController::downloadedFinished(QString name)
{
    allowSelectionUnlessLoading();
    disableTabs(false);
    --m_sendingTorrentCount;
    if (!m_sendingNames.isEmpty())
        m_sendingNames.removeFirst();
    if (m_loadingTorrent) {
        m_loadingTorrent->setString(sendingText(m_sendingTorrentCount));
        m_loadingTorrent->showLoadingIndicators();
        if (m_sendingTorrentCount < 1)
            m_loadingTorrent->hideLoadingIndicators();
    }
    if (!name.isNull() && m_torrentData) {
        for (Torrent& torrent : *m_torrentData) {
            if (torrent.name() == name)
                torrent.setIsDownloaded(true);
        }
    }
    tableView()->reloadData();
}
