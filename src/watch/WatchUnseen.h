#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The torrents the watch reported that the user has not looked at in Favourites yet (their
// WatchMatch keys), kept in the settings file so that the app shows them as new after a round
// of the command-line tool too. Newest first, at most kMax.
class WatchUnseen
{
public:
    static const QString kKey; // "iTarnvale_watchUnseen"
    static constexpr int kMax = 200;

    static QSet<QString> keys();
    static bool add(const QStringList& keys);
    // Forgets those keys: they have been on screen.
    static bool remove(const QSet<QString>& keys);
};
