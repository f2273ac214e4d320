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

    // pictureHost: where the categories with a remote picture have it ("host:port"); empty
    // gives every category its file name.
    static QString render(const DemoPageFrame& frame, const DemoCatalog::Query& query,
                          const std::vector<const DemoTorrent*>& rows, int totalCount,
                          const QString& pictureHost = QString());

    static Layout layoutOf(const DemoCatalog::Query& query);

    // One torrent's rows, exactly as the listing table carries them.
    static QString row(const DemoTorrent& torrent, Layout layout = Layout::OneRow,
                       const QString& pictureHost = QString());
    // Where the picture host serves the category pictures.
    static constexpr char kPicturePath[] = "/pictures/cats/";

private:
    static QString header(const DemoCatalog::Query& query);
    static QString pager(const DemoCatalog::Query& query, int totalCount);
    static QString pageLink(const DemoCatalog::Query& query, int page);
};
