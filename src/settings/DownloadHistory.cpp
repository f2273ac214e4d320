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

namespace {
const QChar kDateSeparator = QLatin1Char('\t');

QString dateEntryName(const QString& entry)
{
    const qsizetype tab = entry.indexOf(kDateSeparator);
    return tab < 0 ? QString() : entry.mid(tab + 1);
}
} // namespace

QDateTime DownloadHistory::sentDate(const QString& name)
{
    const QStringList dates = Settings::stringArray(SettingsKeys::torrentHistoryDates);
    for (const QString& entry : dates) {
        const qsizetype tab = entry.indexOf(kDateSeparator);
        if (tab >= 0 && entry.mid(tab + 1) == name)
            return QDateTime::fromString(entry.left(tab), Qt::ISODate);
    }
    return {};
}

bool DownloadHistory::append(const QString& name, const QDateTime& sent)
{
    QStringList kept;
    const bool saved = Settings::updateStringArray(SettingsKeys::torrentHistory, [&](QStringList& history) {
        history.removeAll(name);
        history.append(name);
        if (history.size() > kMaxEntries)
            history.remove(0, history.size() - kMaxEntries);
        kept = history;
        return true;
    }, Settings::OnFailure::KeepForThisRun) // the torrent did reach the client: lists mark it this run
        .isSaved();
    // The dates follow: this name's new one, and none for names no longer in the history.
    Settings::updateStringArray(SettingsKeys::torrentHistoryDates, [&](QStringList& dates) {
        dates.removeIf([&](const QString& entry) {
            const QString entryName = dateEntryName(entry);
            return entryName == name || !kept.contains(entryName);
        });
        dates.append(sent.toUTC().toString(Qt::ISODate) + kDateSeparator + name);
        return true;
    }, Settings::OnFailure::KeepForThisRun);
    return saved;
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
