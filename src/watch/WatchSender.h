#pragma once

#include "watch/WatchMatch.h"
#include "watch/WatchState.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QStringList>

#include <optional>

// Hands the new matches of the filters marked for sending to the remote client through the
// ordinary hand-off (FetchPageDownload: the client set in the remote settings, the download
// history), on the calling thread, which must not be the main thread while the application
// shows alerts. A torrent is never sent twice: not when the watch sent it before, nor when
// its name is in the download history, nor when the client already holds its info hash
// (where the adapter can list the client's torrents). At most `dailyLimit` a day.
class WatchSender
{
public:
    struct Options
    {
        QStringList autoSendFilters;
        int dailyLimit = 10;
        QDate today = QDate::currentDate();
    };

    // Marks each match sent that the client took, and records it in `state`. Returns how
    // many were sent.
    static int sendNew(QList<WatchMatch>& matches, WatchState& state, const Options& options);

private:
    // The info hashes the client holds; nullopt when it does not list them.
    static std::optional<QSet<QString>> clientHashes();
};
