#include "DemoListingPage.h"

#include "DemoCategory.h"
#include "DemoHtml.h"
#include "DemoPageFrame.h"

#include <QUrl>

#include <algorithm>

namespace {

// The table's columns: type, name, sub-category, download, size, comments, seeders,
// leechers; with two rows per torrent the name spans the first row and has no column.
int columns(DemoListingPage::Layout layout)
{
    return layout == DemoListingPage::Layout::TwoRows ? 7 : 8;
}

QString categoryLabel(const QString& code)
{
    const DemoCategory* category = DemoCategory::byCode(code);
    return category ? category->label : QStringLiteral("All");
}

} // namespace

DemoListingPage::Layout DemoListingPage::layoutOf(const DemoCatalog::Query& query)
{
    return std::max(query.page, 1) % 2 == 0 ? Layout::TwoRows : Layout::OneRow;
}

QString DemoListingPage::row(const DemoTorrent& t, Layout layout, const QString& pictureHost)
{
    const DemoCategory* category = DemoCategory::byCode(t.category);
    QString picture = category ? category->imageFile : QStringLiteral("misc.gif");
    if (category && category->remotePicture && !pictureHost.isEmpty())
        picture = QStringLiteral("http://") + pictureHost + QLatin1String(kPicturePath) + picture;
    const QString subCategory = category ? category->subCategories.value(t.subCategory - 1) : QString();
    // With two rows, the name takes the first row beside the picture, and the second row
    // starts after the picture's column.
    const QString rowSpan = layout == Layout::TwoRows ? QStringLiteral(" rowspan=\"2\"") : QString();
    const QString nameSpan = layout == Layout::TwoRows ? QStringLiteral(" colspan=\"%1\"").arg(columns(layout) - 1)
                                                       : QString();
    const QString rowBreak = layout == Layout::TwoRows ? QStringLiteral("</tr>\n<tr>\n") : QString();
    const QString html = QStringLiteral("<tr>\n<td class=\"tl_cat\"") + rowSpan
                         + QStringLiteral("><a href=\"/files/?category=%1\">\n"
                                          "<img src=\"/images/cats/%2\" width=\"48\" height=\"36\" alt=\"%3\" border=\"0\" /></a></td>\n"
                                          "<td class=\"tl_name\"")
                         + nameSpan + QStringLiteral("><a href=\"%4\">%5</a></td>\n") + rowBreak
                         + QStringLiteral(
                             "<td class=\"tl_sub\"><a href=\"/files/?category=%1&amp;subcategory=%6\">%7</a>&nbsp;</td>\n"
                             "<td class=\"tl_dl\"><a href=\"%8\"><img src=\"/images/download.gif\" alt=\"Download\" border=\"0\" /></a></td>\n"
                             "<td class=\"tl_size\">%9</td>\n"
                             "<td class=\"tl_comments\">%10</td>\n"
                             "<td class=\"tl_seed green\">%11</td>\n"
                             "<td class=\"tl_leech red\">%12</td>\n"
                             "</tr>\n");
    return html
        .arg(t.category, picture,
             DemoHtml::escape(category ? category->label : QString()), DemoHtml::detailsPath(t),
             DemoHtml::escape(t.name), QString::number(t.subCategory), DemoHtml::escape(subCategory),
             DemoHtml::downloadPath(t), DemoHtml::sizeText(t.sizeBytes))
        .arg(t.comments)
        .arg(t.seeders)
        .arg(t.leechers);
}

QString DemoListingPage::pageLink(const DemoCatalog::Query& query, int page)
{
    const QString text = QString::fromLatin1(QUrl::toPercentEncoding(query.text));
    return QStringLiteral("/files/?category=%1&amp;subcategory=%2&amp;language=%3&amp;query=%4&amp;sort=%5&amp;page=%6")
        .arg(query.category)
        .arg(query.subCategory)
        .arg(query.language, text, query.sort)
        .arg(page);
}

QString DemoListingPage::pager(const DemoCatalog::Query& query, int totalCount)
{
    const int pages = std::max(1, (totalCount + DemoCatalog::kPageSize - 1) / DemoCatalog::kPageSize);
    const int current = std::max(query.page, 1);
    QString links;
    if (current > 1)
        links += QStringLiteral("<a href=\"%1\">&laquo; Previous</a> ").arg(pageLink(query, current - 1));
    const int from = std::max(1, std::min(current, pages) - 4);
    const int to = std::min(pages, from + 9);
    for (int p = from; p <= to; ++p) {
        links += p == current ? QStringLiteral("<b>%1</b> ").arg(p)
                              : QStringLiteral("<a href=\"%1\">%2</a> ").arg(pageLink(query, p)).arg(p);
    }
    if (current < pages)
        links += QStringLiteral("<a href=\"%1\">Next &raquo;</a>").arg(pageLink(query, current + 1));
    return QStringLiteral("<tr class=\"tl_pager\"><td colspan=\"%1\">Pages: %2</td></tr>\n")
        .arg(columns(layoutOf(query)))
        .arg(links);
}

QString DemoListingPage::header(const DemoCatalog::Query& query)
{
    auto cell = [&](const char* label, const char* order, const QString& span = QString()) {
        if (!*order)
            return QStringLiteral("<th%1>%2</th>").arg(span, QLatin1String(label));
        DemoCatalog::Query sorted = query;
        // A second click on the same column turns the direction round.
        sorted.sort = query.sort == QLatin1String(order) ? QString(QLatin1String(order)).toLower()
                                                         : QLatin1String(order);
        return QStringLiteral("<th%1><a href=\"%2\">%3</a></th>").arg(span, pageLink(sorted, 1), QLatin1String(label));
    };
    const QString rest = cell("Subcategory", "") + cell("DL", "") + cell("Size", "B") + cell("Comments", "")
                         + cell("S", "S") + cell("L", "L");
    const Layout layout = layoutOf(query);
    if (layout == Layout::OneRow)
        return QStringLiteral("<tr class=\"tl_head\">") + cell("Type", "") + cell("Name", "D") + rest
               + QStringLiteral("</tr>\n");
    return QStringLiteral("<tr class=\"tl_head\">") + cell("Type", "", QStringLiteral(" rowspan=\"2\""))
           + cell("Name", "D", QStringLiteral(" colspan=\"%1\"").arg(columns(layout) - 1))
           + QStringLiteral("</tr>\n<tr class=\"tl_head\">") + rest + QStringLiteral("</tr>\n");
}

QString DemoListingPage::render(const DemoPageFrame& frame, const DemoCatalog::Query& query,
                                const std::vector<const DemoTorrent*>& rows, int totalCount,
                                const QString& pictureHost)
{
    QString content;
    content += QStringLiteral(
                   "<form id=\"search\" method=\"get\" action=\"/files/\">\n"
                   "<input type=\"hidden\" name=\"category\" value=\"%1\" />\n"
                   "<input type=\"hidden\" name=\"language\" value=\"%2\" />\n"
                   "<input type=\"text\" name=\"query\" value=\"%3\" size=\"40\" />\n"
                   "<input type=\"submit\" value=\"Search\" />\n"
                   "</form>\n"
                   "<h2>%4 torrents</h2>\n"
                   "<p class=\"tl_count\">%5 torrents found</p>\n")
                   .arg(DemoHtml::escape(query.category), DemoHtml::escape(query.language),
                        DemoHtml::escape(query.text), DemoHtml::escape(categoryLabel(query.category)))
                   .arg(totalCount);
    content += QStringLiteral("<table class=\"tl\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">\n");
    content += pager(query, totalCount);
    content += header(query);
    const Layout layout = layoutOf(query);
    for (const DemoTorrent* torrent : rows)
        content += row(*torrent, layout, pictureHost);
    if (rows.empty()) {
        content += QStringLiteral("<tr class=\"tl_empty\"><td colspan=\"%1\">No torrents found.</td></tr>\n")
                       .arg(columns(layout));
    }
    content += pager(query, totalCount);
    content += QStringLiteral("</table>\n");
    return frame.document(QStringLiteral("Torrents - Tarnvale"), content);
}
