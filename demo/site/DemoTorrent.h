#pragma once

#include <QString>

// One torrent of the demo site's catalogue. Texts are plain (not HTML-escaped).
struct DemoTorrent
{
    int id = 0;              // also the upload order: a higher id is newer
    QString name;
    QString category;        // the site's category code ("1" = Movies, ...)
    int subCategory = 0;     // index into the category's sub-category list, from 1
    QString language;        // the site's language code, "0" where languages do not apply
    qint64 sizeBytes = 0;
    int seeders = 0;
    int leechers = 0;
    int comments = 0;
    qint64 addedSecs = 0;    // seconds since the epoch
};
