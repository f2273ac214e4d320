#pragma once

#include "settings/SaveResult.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

// What the watch remembers between scans, kept in the settings file (one JSON text under
// kKey, so that it is written atomically with the other settings and survives restarts):
//  - recent: the details links of the recent list met by the last scans, newest first; a
//    scan stops at the first of them it meets again;
//  - per filter text: the links of its matches already known (its baseline, then every
//    match reported), so that no torrent is reported twice; a filter without an entry has
//    had no baseline yet;
//  - sent: the links sent to the client on the watch's own, and how many went today.
// Every list is bounded, newest kept.
struct WatchState
{
    static const QString kKey; // "iTarnvale_watchState"
    static constexpr int kMaxRecent = 1000;
    static constexpr int kMaxKnownPerFilter = 500;
    static constexpr int kMaxSent = 500;

    QStringList recent;
    QHash<QString, QStringList> known;
    QStringList sent;
    QDate sentDay;
    int sentOnDay = 0;

    // The stored state; an empty one when none is stored or the text cannot be read.
    static WatchState load();
    SaveResult save() const;

    QByteArray toJson() const;
    static WatchState fromJson(const QByteArray& json);

    // How many were sent on `today` (0 when the count is of another day).
    int sentOn(const QDate& today) const { return sentDay == today ? sentOnDay : 0; }
    void recordSent(const QString& link, const QDate& today);

    // Keeps the newest `bound` entries of a list that is newest first.
    static void bound(QStringList& list, int bound);
};
