#include "settings/DownloadHistory.h"

#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

QStringList DownloadHistory::names()
{
    return Settings::stringArray(SettingsKeys::torrentHistory);
}

bool DownloadHistory::contains(const QString& name)
{
    return names().contains(name);
}

bool DownloadHistory::append(const QString& name)
{
    return Settings::updateStringArray(SettingsKeys::torrentHistory, [&name](QStringList& history) {
        history.append(name);
        if (history.size() > kMaxEntries)
            history.remove(0, history.size() - kMaxEntries);
        return true;
    });
}

bool DownloadHistory::removeAt(int index)
{
    return Settings::updateStringArray(SettingsKeys::torrentHistory, [index](QStringList& history) {
        if (index < 0 || index >= history.size())
            return false;
        history.removeAt(index);
        return true;
    });
}

DownloadHistory::Removal DownloadHistory::removeFromNewest(int position, const QString& name)
{
    bool found = false;
    const bool saved = Settings::updateStringArray(SettingsKeys::torrentHistory, [&](QStringList& history) {
        const qsizetype index = history.size() - 1 - position;
        found = position >= 0 && index >= 0 && history.at(index) == name;
        if (found)
            history.removeAt(index);
        return found;
    });
    if (!found)
        return Removal::NotThere;
    return saved ? Removal::Removed : Removal::NotSaved;
}
