#include "settings/Settings.h"

#include "platform/core/SettingsStore.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QMutex>

namespace {

// Serialises every read-copy-write of a stored array in the process.
QMutex g_arrayLock;

const QString kNo = QStringLiteral("NO");
const QString kYes = QStringLiteral("YES");

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

void Settings::writeText(const QString& key, const QString& value)
{
    store().setString(key, value);
    store().synchronize();
}

QString Settings::version() { return store().stringForKey(SettingsKeys::version); }
void Settings::setVersion(const QString& version) { writeText(SettingsKeys::version, version); }

QString Settings::username() { return text(SettingsKeys::username, QLatin1String("")); }
void Settings::setUsername(const QString& username) { writeText(SettingsKeys::username, username); }
QString Settings::password()
{
    const QString value = SecretSettings::shared().value(SettingsKeys::password);
    return value.isNull() ? QString(QLatin1String("")) : value;
}

void Settings::setPassword(const QString& password)
{
    SecretSettings::shared().setValue(SettingsKeys::password, password);
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

void Settings::setAutomaticLogin(bool on)
{
    writeText(SettingsKeys::automaticLogin, on ? kYes : kNo);
}

int Settings::tab()
{
    return store().integerForKey(SettingsKeys::tab).value_or(0);
}

void Settings::setTab(int index)
{
    store().setInteger(SettingsKeys::tab, index);
    store().synchronize();
}

QString Settings::categories() { return text(SettingsKeys::categories, QStringLiteral("0")); }
void Settings::setCategories(const QString& code) { writeText(SettingsKeys::categories, code); }
QString Settings::language() { return text(SettingsKeys::language, QStringLiteral("0")); }
void Settings::setLanguage(const QString& code) { writeText(SettingsKeys::language, code); }
QString Settings::orderBy() { return text(SettingsKeys::orderBy, QLatin1String("")); }
void Settings::setOrderBy(const QString& code) { writeText(SettingsKeys::orderBy, code); }
QString Settings::sortBy() { return text(SettingsKeys::sortBy, QStringLiteral("desc")); }
void Settings::setSortBy(const QString& code) { writeText(SettingsKeys::sortBy, code); }

QString Settings::searchCategories() { return text(SettingsKeys::searchCategories, QStringLiteral("0")); }
void Settings::setSearchCategories(const QString& code) { writeText(SettingsKeys::searchCategories, code); }
QString Settings::searchLanguage() { return text(SettingsKeys::searchLanguage, QStringLiteral("0")); }
void Settings::setSearchLanguage(const QString& code) { writeText(SettingsKeys::searchLanguage, code); }
QString Settings::searchOrderBy() { return text(SettingsKeys::searchOrderBy, QLatin1String("")); }
void Settings::setSearchOrderBy(const QString& code) { writeText(SettingsKeys::searchOrderBy, code); }
QString Settings::searchSortBy() { return text(SettingsKeys::searchSortBy, QStringLiteral("desc")); }
void Settings::setSearchSortBy(const QString& code) { writeText(SettingsKeys::searchSortBy, code); }

QString Settings::favoritesCountText()
{
    const QString value = store().stringForKey(SettingsKeys::favoritesCount);
    return value.isNull() ? QStringLiteral("5") : value;
}

int Settings::favoritesCount()
{
    return leadingInteger(favoritesCountText());
}

void Settings::setFavoritesCount(const QString& count)
{
    writeText(SettingsKeys::favoritesCount, count);
}

QStringList Settings::filters()
{
    return stringArray(SettingsKeys::filters);
}

void Settings::updateFilters(const std::function<void(QStringList&)>& change)
{
    updateStringArray(SettingsKeys::filters, [&change](QStringList& list) {
        change(list);
        return true;
    });
}

QStringList Settings::stringArray(const QString& key)
{
    return store().stringArrayForKey(key).value_or(QStringList());
}

bool Settings::updateStringArray(const QString& key,
                                 const std::function<bool(QStringList&)>& change)
{
    QMutexLocker locker(&g_arrayLock);
    QStringList copy = stringArray(key);
    if (!change(copy))
        return false;
    store().setStringArray(key, copy);
    return store().synchronize();
}

ListingQuery Settings::recentListingQuery()
{
    return {categories(), language(), orderBy(), sortBy()};
}

ListingQuery Settings::searchListingQuery()
{
    return {searchCategories(), searchLanguage(), searchOrderBy(), searchSortBy()};
}
