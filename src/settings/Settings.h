#pragma once

#include "settings/SaveResult.h"
#include "site/ListingQuery.h"

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// Typed reads and writes of the application's settings (SettingsStore::standard(), keys in
// SettingsKeys). Every write is flushed at once and answers whether the file took it: a
// value that could not be saved is kept for this run (the screen shows it and says it was
// not saved); an array change that could not be saved is put back (see updateStringArray).
// Readers get the value used when a key is absent; the filter codes get it for an empty text
// too. Nothing here writes a default back.
// The remote client's keys are read and written by ServerInfo.
class Settings
{
public:
    static QString version(); // null when never recorded
    static SaveResult setVersion(const QString& version);

    static QString username();
    static SaveResult setUsername(const QString& username);
    static QString password();
    static SaveResult setPassword(const QString& password);
    // Whether password() is the keychain's answer yet (see SecretSettings::isLoaded), and a
    // call on the main thread once it is; none once `receiver` is gone.
    static bool isPasswordLoaded();
    static void whenPasswordLoaded(QObject* receiver, std::function<void()> done);
    // On when the stored text is present and not "NO".
    static bool automaticLogin();
    static SaveResult setAutomaticLogin(bool on); // stores "YES" or "NO"

    static int tab(); // 0 when absent
    static SaveResult setTab(int index);

    // Site codes of the recent torrents list ("0", "0", "", "desc" when absent or empty).
    static QString categories();
    static SaveResult setCategories(const QString& code);
    static QString language();
    static SaveResult setLanguage(const QString& code);
    static QString orderBy();
    static SaveResult setOrderBy(const QString& code);
    static QString sortBy();
    static SaveResult setSortBy(const QString& code);
    // The same for the search list.
    static QString searchCategories();
    static SaveResult setSearchCategories(const QString& code);
    static QString searchLanguage();
    static SaveResult setSearchLanguage(const QString& code);
    static QString searchOrderBy();
    static SaveResult setSearchOrderBy(const QString& code);
    static QString searchSortBy();
    static SaveResult setSearchSortBy(const QString& code);

    // The listing query of the recent torrents (and favourites), and of the search list.
    static ListingQuery recentListingQuery();
    static ListingQuery searchListingQuery();

    // The stored count text, "5" when absent; and its integer value read as a number that
    // leads the text (0 when it does not start with one).
    static QString favoritesCountText();
    static int favoritesCount();
    static SaveResult setFavoritesCount(const QString& count);

    // The favourite filter patterns, in the order they were added.
    static QStringList filters();
    // Changes the filters by one read-copy-write under the array lock; put back as they were
    // when the file cannot be written.
    static SaveResult updateFilters(const std::function<void(QStringList&)>& change);

    // The lists a setting shapes. Each has a change counter that moves whenever a value it
    // reads changes (not when the same value is written again), so a list can tell on
    // appearing whether what it shows was fetched under other settings.
    enum class Listing {
        Recent,    // category, language, order and sort of the recent torrents
        Favorites, // the favourite filters and the number of pages a batch asks for
        Search,    // category, language, order and sort of the search list
    };
    static quint64 listingGeneration(Listing listing);

    // A stored array, empty when absent.
    static QStringList stringArray(const QString& key);
    // What an array change that cannot be saved leaves in the store.
    enum class OnFailure {
        PutBack,        // the array as it was: the store holds what the file holds
        KeepForThisRun, // the changed array, used for this run and saved with the next write
    };
    // One read-copy-write of a stored array under the one process-wide array lock: reads it
    // (empty when absent), lets change edit the copy and, when change returns true, writes
    // the copy back and flushes. Saved (nothing to do) when change returned false.
    static SaveResult updateStringArray(const QString& key, const std::function<bool(QStringList&)>& change,
                                        OnFailure onFailure = OnFailure::PutBack);

private:
    static QString text(const QString& key, const QString& whenAbsentOrEmpty);
    static SaveResult writeText(const QString& key, const QString& value);
};
