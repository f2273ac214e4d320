#pragma once

#include <QString>

class SearchBar;

// Told of a search bar's editing and its search key; every operation is optional.
class SearchBarDelegate
{
public:
    virtual ~SearchBarDelegate() = default;
    virtual void searchBarTextDidBeginEditing(SearchBar* searchBar) { (void)searchBar; }
    virtual void searchBarTextDidEndEditing(SearchBar* searchBar) { (void)searchBar; }
    virtual void textDidChange(SearchBar* searchBar, const QString& text)
    {
        (void)searchBar;
        (void)text;
    }
    virtual void searchBarSearchButtonClicked(SearchBar* searchBar) { (void)searchBar; }
    virtual void searchBarCancelButtonClicked(SearchBar* searchBar) { (void)searchBar; }
};
