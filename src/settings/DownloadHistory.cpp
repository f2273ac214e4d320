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
