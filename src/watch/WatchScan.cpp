#include "watch/WatchScan.h"

#include "settings/Filter.h"

#include <QSet>

#include <algorithm>

WatchScan::Result WatchScan::run(const QStringList& filters, int pageCount, WatchState& state, const PageReader& read)
{
    Result result;
    const QSet<QString> metBefore(state.recent.cbegin(), state.recent.cend());
    QStringList met;    // this scan's rows, newest first
    QSet<QString> metNow;
    QList<Torrent> rows;

    for (int page = 1; page <= std::max(1, pageCount); ++page) {
        const Page answer = read(page);
        ++result.pagesRead;
        if (answer.failure.isFailure() || !answer.torrents) {
            result.failed = true;
            result.failure = answer.failure;
            if (!result.failure.isFailure())
                result.failure.kind = FetchFailure::Kind::Other; // answered, but not a listing
            return result;
        }
        if (answer.torrents->isEmpty())
            break;
        bool reachedKnown = false;
        for (const Torrent& torrent : *answer.torrents) {
            const QString key = WatchMatch::key(torrent);
            if (metBefore.contains(key)) {
                // The list is newest first: what follows was met by an earlier scan.
                reachedKnown = true;
                break;
            }
            // Uploads during the scan push rows down onto the next page: each counts once.
            if (metNow.contains(key))
                continue;
            metNow.insert(key);
            met.append(key);
            rows.append(torrent);
        }
        if (reachedKnown)
            break;
    }

    QList<Filter> compiled;
    for (const QString& text : filters)
        compiled.append(Filter(text));
    QHash<QString, QStringList> known;
    for (const QString& text : filters)
        known.insert(text, state.known.value(text));

    QHash<QString, QStringList> added; // per filter, newest first
    QSet<QString> reported;
    for (const Torrent& torrent : rows) {
        const QString key = WatchMatch::key(torrent);
        for (const Filter& filter : compiled) {
            if (!filter.isAccepted(torrent.name()))
                continue;
            QStringList& links = added[filter.regex()];
            if (links.contains(key) || known.value(filter.regex()).contains(key))
                continue;
            // Without an entry the filter has had no baseline: its matches are only noted.
            if (state.known.contains(filter.regex()) && !reported.contains(key)) {
                reported.insert(key);
                result.matches.append({torrent, filter.regex(), false});
            }
            links.append(key);
        }
    }

    // Filters the user removed are forgotten; a filter typed again starts from a baseline.
    for (auto it = known.begin(); it != known.end(); ++it) {
        QStringList& links = it.value();
        links = added.value(it.key()) + links;
        WatchState::bound(links, WatchState::kMaxKnownPerFilter);
    }
    state.known = known;
    state.recent = met + state.recent;
    WatchState::bound(state.recent, WatchState::kMaxRecent);
    return result;
}
