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
    }, Settings::OnFailure::KeepForThisRun) // the torrent did reach the client: lists mark it this run
        .isSaved();
}

bool DownloadHistory::removeAt(int index)
{
    bool found = false;
    const SaveResult saved = Settings::updateStringArray(SettingsKeys::torrentHistory, [&](QStringList& history) {
        found = index >= 0 && index < history.size();
        if (found)
            history.removeAt(index);
        return found;
    });
    return found && saved.isSaved();
}

DownloadHistory::Removal DownloadHistory::removeFromNewest(int position, const QString& name, SaveResult* saved)
{
    bool found = false;
    const SaveResult result = Settings::updateStringArray(SettingsKeys::torrentHistory, [&](QStringList& history) {
        const qsizetype index = history.size() - 1 - position;
        found = position >= 0 && index >= 0 && history.at(index) == name;
        if (found)
            history.removeAt(index);
        return found;
    });
    if (saved)
        *saved = result;
    if (!found)
        return Removal::NotThere;
    return result.isSaved() ? Removal::Removed : Removal::NotSaved;
}
