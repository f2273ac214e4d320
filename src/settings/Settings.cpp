#include "settings/Settings.h"

#include "platform/core/SettingsStore.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QMutex>

#include <array>
#include <atomic>
#include <optional>

namespace {

// Serialises every read-copy-write of a stored array in the process.
QMutex g_arrayLock;

const QString kNo = QStringLiteral("NO");
const QString kYes = QStringLiteral("YES");

std::array<std::atomic<quint64>, 3> g_listingGenerations{};

// The list whose fetch a key shapes, if any.
std::optional<Settings::Listing> listingOf(const QString& key)
{
    if (key == SettingsKeys::categories || key == SettingsKeys::language || key == SettingsKeys::orderBy
        || key == SettingsKeys::sortBy)
        return Settings::Listing::Recent;
    if (key == SettingsKeys::filters || key == SettingsKeys::favoritesCount)
        return Settings::Listing::Favorites;
    if (key == SettingsKeys::searchCategories || key == SettingsKeys::searchLanguage
        || key == SettingsKeys::searchOrderBy || key == SettingsKeys::searchSortBy)
        return Settings::Listing::Search;
    return std::nullopt;
}

void noteChange(const QString& key)
{
    if (const std::optional<Settings::Listing> listing = listingOf(key))
        ++g_listingGenerations[size_t(*listing)];
}

SettingsStore& store()
{
    return SettingsStore::standard();
}

// The whole number that leads the text after white space, as the count slider stored it.
int leadingInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    bool ok = false;
    const int value = trimmed.left(end).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

QString Settings::text(const QString& key, const QString& whenAbsentOrEmpty)
{
    const QString value = store().stringForKey(key);
    return value.isEmpty() ? whenAbsentOrEmpty : value;
}

SaveResult Settings::writeText(const QString& key, const QString& value)
{
    // A value that could not be saved is still used for this run, so it counts as a change.
    if (store().stringForKey(key) != value)
        noteChange(key);
    store().setString(key, value);
    return SaveResult::fromStore(store().save());
}

QString Settings::version() { return store().stringForKey(SettingsKeys::version); }
SaveResult Settings::setVersion(const QString& version) { return writeText(SettingsKeys::version, version); }

QString Settings::username() { return text(SettingsKeys::username, QLatin1String("")); }
SaveResult Settings::setUsername(const QString& username) { return writeText(SettingsKeys::username, username); }
QString Settings::password()
{
    const QString value = SecretSettings::shared().value(SettingsKeys::password);
    return value.isNull() ? QString(QLatin1String("")) : value;
}

SaveResult Settings::setPassword(const QString& password)
{
    // The keychain takes it off this thread; SecretSettings keeps what it could not write.
    SecretSettings::shared().setValue(SettingsKeys::password, password);
    return SaveResult();
}

bool Settings::isPasswordLoaded()
{
    return SecretSettings::shared().isLoaded(SettingsKeys::password);
}

void Settings::whenPasswordLoaded(QObject* receiver, std::function<void()> done)
{
    SecretSettings::shared().whenLoaded(SettingsKeys::password, receiver, std::move(done));
}

bool Settings::automaticLogin()
{
    const QString value = store().stringForKey(SettingsKeys::automaticLogin);
    return !value.isNull() && value != kNo;
}

SaveResult Settings::setAutomaticLogin(bool on)
{
    return writeText(SettingsKeys::automaticLogin, on ? kYes : kNo);
}

int Settings::tab()
{
    return store().integerForKey(SettingsKeys::tab).value_or(0);
}

SaveResult Settings::setTab(int index)
{
    store().setInteger(SettingsKeys::tab, index);
    return SaveResult::fromStore(store().save());
}

QString Settings::categories() { return text(SettingsKeys::categories, QStringLiteral("0")); }
SaveResult Settings::setCategories(const QString& code) { return writeText(SettingsKeys::categories, code); }
QString Settings::language() { return text(SettingsKeys::language, QStringLiteral("0")); }
SaveResult Settings::setLanguage(const QString& code) { return writeText(SettingsKeys::language, code); }
QString Settings::orderBy() { return text(SettingsKeys::orderBy, QLatin1String("")); }
SaveResult Settings::setOrderBy(const QString& code) { return writeText(SettingsKeys::orderBy, code); }
QString Settings::sortBy() { return text(SettingsKeys::sortBy, QStringLiteral("desc")); }
SaveResult Settings::setSortBy(const QString& code) { return writeText(SettingsKeys::sortBy, code); }

QString Settings::searchCategories() { return text(SettingsKeys::searchCategories, QStringLiteral("0")); }
SaveResult Settings::setSearchCategories(const QString& code) { return writeText(SettingsKeys::searchCategories, code); }
QString Settings::searchLanguage() { return text(SettingsKeys::searchLanguage, QStringLiteral("0")); }
SaveResult Settings::setSearchLanguage(const QString& code) { return writeText(SettingsKeys::searchLanguage, code); }
QString Settings::searchOrderBy() { return text(SettingsKeys::searchOrderBy, QLatin1String("")); }
SaveResult Settings::setSearchOrderBy(const QString& code) { return writeText(SettingsKeys::searchOrderBy, code); }
QString Settings::searchSortBy() { return text(SettingsKeys::searchSortBy, QStringLiteral("desc")); }
SaveResult Settings::setSearchSortBy(const QString& code) { return writeText(SettingsKeys::searchSortBy, code); }

QString Settings::favoritesCountText()
{
    const QString value = store().stringForKey(SettingsKeys::favoritesCount);
    return value.isNull() ? QStringLiteral("5") : value;
}

int Settings::favoritesCount()
{
    return leadingInteger(favoritesCountText());
}

SaveResult Settings::setFavoritesCount(const QString& count)
{
    return writeText(SettingsKeys::favoritesCount, count);
}

QStringList Settings::filters()
{
    return stringArray(SettingsKeys::filters);
}

SaveResult Settings::updateFilters(const std::function<void(QStringList&)>& change)
{
    return updateStringArray(SettingsKeys::filters, [&change](QStringList& list) {
        change(list);
        return true;
    });
}

QStringList Settings::stringArray(const QString& key)
{
    return store().stringArrayForKey(key).value_or(QStringList());
}

SaveResult Settings::updateStringArray(const QString& key, const std::function<bool(QStringList&)>& change,
                                      OnFailure onFailure)
{
    QMutexLocker locker(&g_arrayLock);
    const std::optional<QStringList> before = store().stringArrayForKey(key);
    QStringList copy = before.value_or(QStringList());
    if (!change(copy))
        return SaveResult();
    store().setStringArray(key, copy);
    const SaveResult result = SaveResult::fromStore(store().save());
    const bool putBack = !result.isSaved() && onFailure == OnFailure::PutBack;
    if (!putBack && copy != before.value_or(QStringList()))
        noteChange(key);
    if (putBack) {
        // Otherwise the change, shown undone, would still reach the file with the next write
        // that succeeds, and the screen would no longer show what the store holds.
        if (before)
            store().setStringArray(key, *before);
        else
            store().remove(key);
    }
    return result;
}

quint64 Settings::listingGeneration(Listing listing)
{
    return g_listingGenerations[size_t(listing)];
}

ListingQuery Settings::recentListingQuery()
{
    return {categories(), language(), orderBy(), sortBy()};
}

ListingQuery Settings::searchListingQuery()
{
    return {searchCategories(), searchLanguage(), searchOrderBy(), searchSortBy()};
}
