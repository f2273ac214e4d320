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
// (where the adapter can list the client's torrents). At most `dailyLimit` a day. A match
// whose sending failed (the site did not give the file, the client was down or refused it)
// waits in the state and is tried again, before the new ones, in the next rounds.
class WatchSender
{
public:
    struct Options
    {
        QStringList autoSendFilters;
        int dailyLimit = 10;
        QDate today = QDate::currentDate();
    };

    // Tries the waiting matches again, then marks each new match sent that the client took;
    // records both in `state`. Returns how many were sent.
    static int sendNew(QList<WatchMatch>& matches, WatchState& state, const Options& options);

private:
    enum class Result { Sent, NotNeeded, Failed };
    // The client's info hashes, asked for once per round, when first needed; an empty
    // optional inside when the client does not list them.
    using HeldHashes = std::optional<std::optional<QSet<QString>>>;

    static Result send(const WatchMatch& match, WatchState& state, const Options& options, HeldHashes& held);
    // The info hashes the client holds; nullopt when it does not list them.
    static std::optional<QSet<QString>> clientHashes();
};
