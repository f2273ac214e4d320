#pragma once

#include "settings/SaveResult.h"

#include <QString>
#include <QStringList>

// The watch's own settings, beside the favourite filters (whose stored array keeps its form,
// so that older settings files and older versions read it as before): whether the app
// watches, how often, how many torrents a day it may send on its own, and the filters whose
// new matches are sent.
class WatchSettings
{
public:
    static const QString kEnabledKey;       // "YES" or "NO"; off when absent
    static const QString kIntervalKey;      // minutes, a text holding a whole number
    static const QString kDailySendsKey;    // a text holding a whole number
    static const QString kAutoSendKey;      // array of filter texts, as stored under the filters

    static constexpr int kMinInterval = 15;
    static constexpr int kMaxInterval = 240;
    static constexpr int kDefaultInterval = 30;
    static constexpr int kDefaultDailySends = 10;

    static bool isEnabled();
    static SaveResult setEnabled(bool on);
    // Minutes between scans, always within 15 to 240: a stored value outside is taken to the
    // nearer end, an absent or unreadable one is 30.
    static int interval();
    static SaveResult setInterval(int minutes);
    // How many torrents a day the watch sends; 10 when absent or unreadable, never below 0.
    static int dailySends();
    static SaveResult setDailySends(int count);

    static QStringList autoSendFilters();
    static bool isAutoSend(const QString& filter);
    static SaveResult setAutoSend(const QString& filter, bool on);
};
