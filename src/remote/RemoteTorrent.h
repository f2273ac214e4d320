#pragma once

#include <QList>
#include <QString>

#include <optional>

// One torrent as the remote client reports it, in the same terms for every client.
struct RemoteTorrent
{
    enum class State { Downloading, Seeding, Paused, Checking, Queued, Stalled, Error };

    QString hash; // the info hash, 40 lower-case hex digits
    QString name;
    double progress = 0; // 0 to 1
    State state = State::Stalled;
    qint64 down = 0; // bytes per second
    qint64 up = 0;
    qint64 size = 0; // bytes wanted
    qint64 eta = -1; // seconds; -1 when the client does not know
    qint64 added = 0; // seconds since 1970

    // "downloading", "seeding", "paused", "checking", "queued", "stalled", "error".
    static QString stateName(State state);
    // The hash in lower case when it is 40 hex digits; nullopt for anything else (a command
    // line's word, a client's own "all"), which must never reach the client.
    static std::optional<QString> normalHash(const QString& text);
    // Newest first, as the client added them; equal dates by name.
    static void sortByAdded(QList<RemoteTorrent>& torrents);
};
