#pragma once

#include "site/Torrent.h"

#include <QString>

// A torrent new to a favourite filter, found by a scan of the watch.
struct WatchMatch
{
    Torrent torrent;
    QString filter; // the first filter, in stored order, that accepted it
    bool sent = false;

    // What the watch knows a torrent by: its details link, or its name when a row has none.
    static QString key(const Torrent& torrent)
    {
        return torrent.detailsUrl().isEmpty() ? torrent.name() : torrent.detailsUrl();
    }
};
