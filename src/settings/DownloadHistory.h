#pragma once

#include "settings/SaveResult.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The download history: names of the torrents handed to the remote client, oldest first,
// at most kMaxEntries. A name sent again moves to the newest place: it stands once (histories
// of earlier versions may hold a name twice, and read as they are). Every change is one
// read-copy-write of the stored array under the settings' array lock, written and flushed at
// once, so that two downloads finishing together both leave their name.
//
// When each name was sent is kept under a key of its own (SettingsKeys::torrentHistoryDates,
// entries "<UTC date and time>\t<name>"), so the names' array keeps the form that earlier
// versions read and write; a name without a date (sent by an earlier version) has none.
class DownloadHistory
{
public:
    static constexpr int kMaxEntries = 50;

    // The stored names, oldest first; empty when none were stored.
    static QStringList names();
    static bool contains(const QString& name);

    // When the name was last sent (UTC); invalid when unknown.
    static QDateTime sentDate(const QString& name);

    // Appends the name (taking it from where it stood) and drops the oldest entries beyond kMaxEntries. False when the
    // settings file could not be written (the entry is kept in memory for this run).
    static bool append(const QString& name, const QDateTime& sent = QDateTime::currentDateTimeUtc());
    // Removes the entry at index (0 = oldest); false when there is none there or the file
    // could not be written (the entry then stays).
    static bool removeAt(int index);

    enum class Removal { Removed, NotThere, NotSaved };
    // Removes the entry `position` places from the newest (0 = the newest) when it is still
    // `name`: a list shown a while ago names its rows so, and meanwhile a hand-off may have
    // added entries or another program changed the list. NotThere when the stored list no
    // longer holds that name there (nothing is removed); NotSaved when the file could not be
    // written: the entry stays, as it would come back at the next start, and `saved` (when
    // given) says why.
    static Removal removeFromNewest(int position, const QString& name, SaveResult* saved = nullptr);
};
