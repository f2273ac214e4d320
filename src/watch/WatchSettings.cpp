#include "watch/WatchSettings.h"

#include "platform/core/SettingsStore.h"
#include "settings/Settings.h"

#include <algorithm>

const QString WatchSettings::kEnabledKey = QStringLiteral("iTarnvale_watch");
const QString WatchSettings::kIntervalKey = QStringLiteral("iTarnvale_watchInterval");
const QString WatchSettings::kDailySendsKey = QStringLiteral("iTarnvale_watchDailySends");
const QString WatchSettings::kAutoSendKey = QStringLiteral("iTarnvale_filtersAutoSend");

namespace {

SaveResult write(const QString& key, const QString& value)
{
    SettingsStore& store = SettingsStore::standard();
    store.setString(key, value);
    return SaveResult::fromStore(store.save());
}

int number(const QString& key, int whenAbsent)
{
    bool ok = false;
    const int value = SettingsStore::standard().stringForKey(key).trimmed().toInt(&ok);
    return ok ? value : whenAbsent;
}

} // namespace

bool WatchSettings::isEnabled()
{
    return SettingsStore::standard().stringForKey(kEnabledKey) == QLatin1String("YES");
}

SaveResult WatchSettings::setEnabled(bool on)
{
    return write(kEnabledKey, on ? QStringLiteral("YES") : QStringLiteral("NO"));
}

int WatchSettings::interval()
{
    return std::clamp(number(kIntervalKey, kDefaultInterval), kMinInterval, kMaxInterval);
}

SaveResult WatchSettings::setInterval(int minutes)
{
    return write(kIntervalKey, QString::number(std::clamp(minutes, kMinInterval, kMaxInterval)));
}

int WatchSettings::dailySends()
{
    return std::max(0, number(kDailySendsKey, kDefaultDailySends));
}

SaveResult WatchSettings::setDailySends(int count)
{
    return write(kDailySendsKey, QString::number(std::max(0, count)));
}

QStringList WatchSettings::autoSendFilters()
{
    return Settings::stringArray(kAutoSendKey);
}

bool WatchSettings::isAutoSend(const QString& filter)
{
    return autoSendFilters().contains(filter);
}

SaveResult WatchSettings::setAutoSend(const QString& filter, bool on)
{
    return Settings::updateStringArray(kAutoSendKey, [&](QStringList& filters) {
        if (filters.contains(filter) == on)
            return false;
        if (on)
            filters.append(filter);
        else
            filters.removeAll(filter);
        return true;
    });
}
