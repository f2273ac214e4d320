#pragma once

#include "settings/SaveResult.h"
#include "watch/WatchMatch.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the watch remembers between scans, kept in the settings file (one JSON text under
// kKey, so that it is written atomically with the other settings and survives restarts):
//  - recent: the details links of the recent list met by the last scans, newest first; a
//    scan stops at the first of them it meets again;
//  - per filter text: the links of its matches already known (its baseline, then every
//    match reported), so that no torrent is reported twice; a filter without an entry has
//    had no baseline yet;
//  - sent: the links sent to the client on the watch's own, and how many went today;
//  - pending: matches whose sending failed (the site did not give the file, the client was
//    down or refused it), tried again in the next rounds for a few days.
// Every list is bounded, newest kept.
struct WatchState
{
    static const QString kKey; // "iTarnvale_watchState"
    static constexpr int kMaxRecent = 1000;
    static constexpr int kMaxKnownPerFilter = 500;
    static constexpr int kMaxSent = 500;
    static constexpr int kMaxPending = 50;
    static constexpr int kPendingDays = 3;

    struct Pending
    {
        WatchMatch match;
        QDate since; // the day of its first failed try
    };

    QStringList recent;
    QHash<QString, QStringList> known;
    QStringList sent;
    QDate sentDay;
    int sentOnDay = 0;
    QList<Pending> pending; // oldest first

    // The stored state; an empty one when none is stored or the text cannot be read.
    static WatchState load();
    SaveResult save() const;

    QByteArray toJson() const;
    static WatchState fromJson(const QByteArray& json);

    // How many were sent on `today` (0 when the count is of another day).
    int sentOn(const QDate& today) const { return sentDay == today ? sentOnDay : 0; }
    void recordSent(const QString& link, const QDate& today);
    // Keeps a match whose sending failed for the next round (once, with its first day).
    void recordFailed(const WatchMatch& match, const QDate& today);
    // Forgets a pending match: sent, or no longer to be sent.
    void forgetPending(const QString& link);
    // Drops what has waited longer than kPendingDays.
    void expirePending(const QDate& today);

    // Keeps the newest `bound` entries of a list that is newest first.
    static void bound(QStringList& list, int bound);
};
