#pragma once

#include "DemoTorrent.h"

#include <QList>
#include <QString>

#include <deque>
#include <mutex>
#include <vector>

// The demo site's torrents: made once from a fixed seed; torrents uploaded later (add())
// come on top, under a lock of their own, at addresses that never move, so the rows a server
// thread holds stay valid while others are added.
class DemoCatalog
{
public:
    static constexpr int kPageSize = 50;
    static constexpr int kDefaultCount = 3000;

    // What a listing address asks for; codes as the site's list addresses carry them.
    struct Query
    {
        QString category = QStringLiteral("0");   // "0": all
        int subCategory = 0;                       // 0: all
        QString language = QStringLiteral("0");   // "0": all
        QString sort;      // "" or "D" date, "B" size, "S" seeders, "L" leechers; lower case ascending
        QString text;      // search words, all of which the name must contain
        int page = 1;      // from 1
    };

    explicit DemoCatalog(int count = kDefaultCount, unsigned seed = 20130601u);

    // The catalogue as made, without the torrents added later.
    const std::vector<DemoTorrent>& torrents() const { return m_torrents; }
    // Uploads a torrent now: the newest of the site, at the top of the date order. Returns a
    // copy of it (its id is one above the newest so far).
    DemoTorrent add(const QString& name, const QString& category = QStringLiteral("6"));
    int addedCount() const;
    const DemoTorrent* byId(int id) const;

    // Every torrent the query selects, in its order (the page number is not applied).
    std::vector<const DemoTorrent*> select(const Query& query) const;
    // The rows of the query's page: empty past the end.
    std::vector<const DemoTorrent*> page(const Query& query, int* totalCount = nullptr) const;

private:
    std::vector<DemoTorrent> m_torrents; // by id, from 1
    mutable std::mutex m_addedLock;
    std::deque<DemoTorrent> m_added; // ids after m_torrents', oldest first
};
