#pragma once

#include "platform/core/FetchFailure.h"
#include "site/Torrent.h"
#include "watch/WatchMatch.h"
#include "watch/WatchState.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

// One scan of the watch, run on the calling thread (a worker's or a tool's): reads the
// recent list from page 1 on until it meets a torrent the last scans met, or has read
// `pageCount` pages, or a page has no rows; matches every row against the favourite filters
// as the favourites list does (Filter::isAccepted, in stored order) and collects the matches
// each filter did not know yet. A filter's first scan is its baseline: its matches become
// known and none is reported. A failed page fails the whole scan and the state stays as it
// was, so nothing seen is lost and nothing is reported twice.
class WatchScan
{
public:
    struct Page
    {
        std::optional<QList<Torrent>> torrents; // absent: the answer could not be read
        FetchFailure failure;
    };
    using PageReader = std::function<Page(int page)>;

    struct Result
    {
        bool failed = false;
        FetchFailure failure;     // why, when the site could be reached no further
        QList<WatchMatch> matches; // new, in the list's order
        int pagesRead = 0;
    };

    static Result run(const QStringList& filters, int pageCount, WatchState& state, const PageReader& read);
};
