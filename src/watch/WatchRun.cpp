#include "watch/WatchRun.h"

#include "settings/Settings.h"
#include "watch/WatchScan.h"
#include "watch/WatchSender.h"
#include "watch/WatchSettings.h"
#include "watch/WatchSiteReader.h"
#include "watch/WatchState.h"
#include "watch/WatchUnseen.h"

#include <algorithm>

WatchRun::Outcome WatchRun::scanOnce(const QString& username, const QString& password, bool send)
{
    Outcome outcome;
    WatchState state = WatchState::load();
    WatchSiteReader reader(username, password);
    // The pages the favourites list scans; a stored count below 1 still reads page 1.
    const int pages = std::max(1, Settings::favoritesCount());
    const WatchScan::Result scan = WatchScan::run(Settings::filters(), pages, state,
                                                  [&reader](int page) { return reader.read(page); });
    if (scan.failed) {
        outcome.failed = true;
        outcome.failure = scan.failure;
        return outcome;
    }
    outcome.matches = scan.matches;
    outcome.saved = state.save();
    QStringList found;
    for (const WatchMatch& match : outcome.matches)
        found.append(WatchMatch::key(match.torrent));
    WatchUnseen::add(found);
    // Matches whose sending failed in an earlier round are tried again, new ones or none.
    if (send && (!outcome.matches.isEmpty() || !state.pending.isEmpty())) {
        WatchSender::Options options;
        options.autoSendFilters = WatchSettings::autoSendFilters();
        options.dailyLimit = WatchSettings::dailySends();
        // Written again only when the round changed it: a client that stays down would
        // otherwise have the state rewritten, unchanged, every round.
        const QByteArray before = state.toJson();
        WatchSender::sendNew(outcome.matches, state, options);
        if (state.toJson() != before)
            outcome.saved = state.save();
    }
    return outcome;
}
