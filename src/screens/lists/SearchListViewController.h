#pragma once

#include "platform/ui/SearchBar.h"
#include "platform/ui/SearchBarDelegate.h"
#include "screens/common/AllListViewController.h"

#include <QPointer>
#include <QString>

// The third tab, "Search": a search bar over the torrent table. The words are sent to the
// site's listing as its query, with the category, language and order of the search settings;
// results page like the recent torrents. Nothing is fetched before the first search.
class SearchListViewController : public AllListViewController, public SearchBarDelegate
{
    Q_OBJECT
public:
    static constexpr int kSearchBarHeight = 45;

    explicit SearchListViewController(TableViewStyle style = TableViewStyle::Plain, QObject* parent = nullptr);

    void loadView() override;
    void viewWillAppear(bool animated) override;

    void searchBarSearchButtonClicked(SearchBar* searchBar) override;
    void fetchPage(int page) override;
    void didRefresh() override;
    void didSearch() override;
    // A first page without rows says that the search found nothing.
    void loadedListing(std::optional<QList<Torrent>> torrents, const FetchOutcome& outcome, int page) override;

    // "No torrents found for “TEXT”." for the words the user typed.
    static QString noResultsText(const QString& words);

    // The query of the current search, escaped for the address; null before the first search.
    QString searchString() const { return m_searchString; }
    SearchBar* mySearchBar() const { return m_searchBar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Empties the table at once, before the first page of the next results arrives.
    void startOver();

    QPointer<SearchBar> m_searchBar;
    QString m_searchString;
    QString m_searchWords; // as typed, for the notice of a search without results
    // Pages of an earlier search still on their way are not shown with the new one's.
    int m_searchGeneration = 0;
};
