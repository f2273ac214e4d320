#pragma once

#include "site/Torrent.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The keys of the settings store, each named in this one place with the kind of value it
// holds and the value its readers use when it is absent (see all()).
namespace SettingsKeys {

// The build version recorded at start; only compared, never used otherwise.
inline const QString version = QStringLiteral("iTarnvale_version");
// The sign-in fields as typed (the password in the keychain when one answers, see
// SecretSettings) and the automatic sign-in switch,
// "YES" or "NO"; any text but "NO" turns the switch on.
inline const QString username = QStringLiteral("iTarnvale_username");
inline const QString password = QStringLiteral("iTarnvale_password");
inline const QString automaticLogin = QStringLiteral("iTarnvale_automaticLogin");
// Index of the last selected main tab.
inline const QString tab = QStringLiteral("iTarnvale_tab");
// Filters of the recent torrents list: site codes, all texts.
inline const QString categories = QStringLiteral("iTarnvale_categories");
inline const QString language = QStringLiteral("iTarnvale_language");
inline const QString orderBy = QStringLiteral("iTarnvale_orderBy");
inline const QString sortBy = QStringLiteral("iTarnvale_sortBy");
// The same for the search list.
inline const QString searchCategories = QStringLiteral("iTarnvale_searchCategories");
inline const QString searchLanguage = QStringLiteral("iTarnvale_searchLanguage");
inline const QString searchOrderBy = QStringLiteral("iTarnvale_searchOrderBy");
inline const QString searchSortBy = QStringLiteral("iTarnvale_searchSortBy");
// Pages the favourites list scans: a text holding a whole number.
inline const QString favoritesCount = QStringLiteral("iTarnvale_favoritesCount");
// The favourite filter patterns in the order they were added.
inline const QString filters = QStringLiteral("iTarnvale_filters");
// The download history: names of the torrents handed to the remote client, oldest first.
inline const QString torrentHistory = QString::fromLatin1(Torrent::kDownloadHistoryKey);
// When each name of the history was sent: "<UTC date and time, ISO 8601>\t<name>", one a name.
inline const QString torrentHistoryDates = QStringLiteral("iTarnvale_torrentHistoryDates");
// The remote client: adapter class name, address, port, HTTP Basic credentials.
inline const QString serverClient = QStringLiteral("iTarnvale_serverClient");
inline const QString serverAddress = QStringLiteral("iTarnvale_serverAddress");
inline const QString serverPort = QStringLiteral("iTarnvale_serverPort");
inline const QString serverUser = QStringLiteral("iTarnvale_serverUser");
inline const QString serverPassword = QStringLiteral("iTarnvale_serverPassword");

enum class Kind { Text, Integer, TextArray };

struct KeyInfo
{
    QString key;
    Kind kind;
    // What readers use when the key is absent; invalid (QVariant()) where there is none and
    // the owner fills the key itself (the version at start, the remote client and port when
    // the remote settings screen first opens).
    QVariant absentValue;
};

// Every key, with its kind and the value used when it is absent.
inline QList<KeyInfo> all()
{
    const QString empty = QLatin1String("");
    const QString all = QStringLiteral("0");
    const QString descending = QStringLiteral("desc");
    return {
        {version, Kind::Text, QVariant()},
        {username, Kind::Text, empty},
        {password, Kind::Text, empty},
        {automaticLogin, Kind::Text, QStringLiteral("NO")},
        {tab, Kind::Integer, 0},
        {categories, Kind::Text, all},
        {language, Kind::Text, all},
        {orderBy, Kind::Text, empty},
        {sortBy, Kind::Text, descending},
        {searchCategories, Kind::Text, all},
        {searchLanguage, Kind::Text, all},
        {searchOrderBy, Kind::Text, empty},
        {searchSortBy, Kind::Text, descending},
        {favoritesCount, Kind::Text, QStringLiteral("5")},
        {filters, Kind::TextArray, QStringList()},
        {torrentHistory, Kind::TextArray, QStringList()},
        {torrentHistoryDates, Kind::TextArray, QStringList()},
        {serverClient, Kind::Text, QVariant()},
        {serverAddress, Kind::Text, empty},
        {serverPort, Kind::Text, QVariant()},
        {serverUser, Kind::Text, empty},
        {serverPassword, Kind::Text, empty},
    };
}

} // namespace SettingsKeys
