#pragma once

#include "platform/core/FetchFailure.h"
#include "settings/SaveResult.h"
#include "watch/WatchMatch.h"

#include <QList>
#include <QString>

// One whole round of the watch with the stored settings, on the calling thread: the scan of
// the favourite filters over the recent list (WatchScan, reading with WatchSiteReader and
// the account given), the seen state saved, then the matches of the filters marked for
// sending handed to the client (WatchSender) when `send` is set, and the state saved again.
class WatchRun
{
public:
    struct Outcome
    {
        bool failed = false;
        FetchFailure failure;
        QList<WatchMatch> matches;
        SaveResult saved; // whether the seen state reached the settings file
    };

    static Outcome scanOnce(const QString& username, const QString& password, bool send);
};
