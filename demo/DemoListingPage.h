#pragma once

#include "DemoCatalog.h"

#include <QString>

#include <vector>

class DemoPageFrame;

// Renders one listing page: search form, pager rows, the results table and its rows.
class DemoListingPage
{
public:
    static QString render(const DemoPageFrame& frame, const DemoCatalog::Query& query,
                          const std::vector<const DemoTorrent*>& rows, int totalCount);

    // One torrent row, exactly as the listing table carries it.
    static QString row(const DemoTorrent& torrent);

private:
    static QString pager(const DemoCatalog::Query& query, int totalCount);
    static QString pageLink(const DemoCatalog::Query& query, int page);
};
