#pragma once

#include "DemoCatalog.h"

#include <QString>

#include <vector>

class DemoPageFrame;

// Renders one listing page: search form, pager rows, the results table and its rows.
//
// The site writes its listing in two layouts, and the demo serves both: odd pages give each
// torrent one table row; even pages give it two, the category picture (rowspan="2") and the
// name in the first, the other cells in the second.
class DemoListingPage
{
public:
    enum class Layout { OneRow, TwoRows };

    static QString render(const DemoPageFrame& frame, const DemoCatalog::Query& query,
                          const std::vector<const DemoTorrent*>& rows, int totalCount);

    static Layout layoutOf(const DemoCatalog::Query& query);

    // One torrent's rows, exactly as the listing table carries them.
    static QString row(const DemoTorrent& torrent, Layout layout = Layout::OneRow);

private:
    static QString header(const DemoCatalog::Query& query);
    static QString pager(const DemoCatalog::Query& query, int totalCount);
    static QString pageLink(const DemoCatalog::Query& query, int page);
};
