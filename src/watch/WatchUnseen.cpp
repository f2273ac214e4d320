#include "watch/WatchUnseen.h"

#include "settings/Settings.h"

const QString WatchUnseen::kKey = QStringLiteral("iTarnvale_watchUnseen");

QSet<QString> WatchUnseen::keys()
{
    const QStringList stored = Settings::stringArray(kKey);
    return QSet<QString>(stored.cbegin(), stored.cend());
}

bool WatchUnseen::add(const QStringList& keys)
{
    if (keys.isEmpty())
        return true;
    return Settings::updateStringArray(kKey, [&keys](QStringList& stored) {
        for (auto it = keys.crbegin(); it != keys.crend(); ++it) {
            stored.removeAll(*it);
            stored.prepend(*it);
        }
        if (stored.size() > kMax)
            stored.resize(kMax);
        return true;
    }).isSaved();
}

bool WatchUnseen::remove(const QSet<QString>& keys)
{
    if (keys.isEmpty())
        return true;
    return Settings::updateStringArray(kKey, [&keys](QStringList& stored) {
        return stored.removeIf([&keys](const QString& key) { return keys.contains(key); }) > 0;
    }).isSaved();
}
