#include "screens/lists/SearchListViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "screens/settings/SearchDisplaySettingsViewController.h"
#include "settings/Settings.h"
#include "site/FetchPage.h"
#include "site/ListingQuery.h"
#include "views/BannerView.h"
#include "views/HeaderView.h"

#include <QEvent>

SearchListViewController::SearchListViewController(TableViewStyle style, QObject* parent)
    : AllListViewController(style, parent)
{
    setTitle(QStringLiteral("Search"));
    setTabBarItem(new TabBarItem(TabBarItem::SystemItem::Search, 0));
    m_headerView->settingsBtn()->setHidden(true);
    m_headerView->searchBtn()->setHidden(false);
}

void SearchListViewController::loadView()
{
    AllListViewController::loadView();
    QWidget* view = contentView();
    const int top = m_adMobAd->height() + kTableOffset;

    m_searchBar = new SearchBar(view);
    m_searchBar->setGeometry(0, top, Device::screenBounds().width(), kSearchBarHeight);
    m_searchBar->setBarStyle(SearchBar::BarStyle::BlackTranslucent);
    m_searchBar->setAutocorrectionEnabled(false);
    m_searchBar->setAutocapitalizationEnabled(false);
    m_searchBar->setDelegate(this);

    TableView* table = tableView();
    const int tableTop = top + kSearchBarHeight;
    table->setGeometry(0, tableTop, view->width(), std::max(0, view->height() - tableTop));
    // A touch on the screen's own view (outside the bar and the table) puts the keyboard away.
    view->installEventFilter(this);
}

void SearchListViewController::viewWillAppear(bool animated)
{
    // Not the recent list's appearing: nothing is fetched, and the page counter stays where
    // the list was left, so the next load-more goes on from there, unless the search settings
    // changed since: then the search is asked again from page 1.
    prepareAppearance(animated);
    if (!m_searchString.isNull() && settingsChangedSinceFetch() && !isLoadingPages())
        didRefresh();
}

bool SearchListViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == contentView() && event->type() == QEvent::MouseButtonPress && m_searchBar)
        m_searchBar->resignFirstResponder();
    return AllListViewController::eventFilter(watched, event);
}

void SearchListViewController::startOver()
{
    ++m_searchGeneration;
    m_torrentData = QList<Torrent>();
    m_currentPage = 1;
    m_noMoreTorrents = true;
    m_refreshed = false;
    tableView()->setScrollEnabled(true);
    tableView()->reloadData();
}

void SearchListViewController::searchBarSearchButtonClicked(SearchBar* searchBar)
{
    startOver();
    m_searchWords = searchBar->text();
    m_searchString = ListingQuery::escapeSearchText(searchBar->text());
    searchBar->resignFirstResponder();
    fetchPage(1);
}

void SearchListViewController::fetchPage(int page)
{
    noteFetchedUnder(Settings::Listing::Search);
    const QUrl url = Settings::searchListingQuery().url(page, m_searchString);
    showLoading(QStringLiteral("Searching..."));
    tableView()->setAllowsSelection(false);
    disableTabs(true);
    const int generation = m_searchGeneration;
    m_operationQueue->addOperation(listingFetch(url, page, [this, generation] { return generation == m_searchGeneration; }));
}

QString SearchListViewController::noResultsText(const QString& words)
{
    return QStringLiteral("No torrents found for \u201C%1\u201D.").arg(words.trimmed());
}

void SearchListViewController::loadedListing(std::optional<QList<Torrent>> torrents, const FetchOutcome& outcome,
                                             int page)
{
    AllListViewController::loadedListing(std::move(torrents), outcome, page);
    if (!outcome.isFailure() && !outcome.cutShort && page == 1 && m_torrentData && m_torrentData->isEmpty())
        showNotice(noResultsText(m_searchWords));
}

void SearchListViewController::didRefresh()
{
    fetchUserFigures();
    // Before the first search there is nothing to ask again.
    if (m_searchString.isNull()) {
        if (Button* refresh = m_headerView->refreshBtn())
            refresh->setEnabled(true);
        return;
    }
    startOver();
    fetchPage(1);
}

void SearchListViewController::didSearch()
{
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(SearchDisplaySettingsViewController::sharedInstance(), true);
}
