#include "site/HttpRequestRegExTorrent.h"

#include "platform/core/SettingsStore.h"
#include "util/Regex.h"
#include "util/TextUtilities.h"

#include <algorithm>

namespace {

const QLatin1String kCategoryPictures("/images/cats/");

// No match can end after the first "<" that follows the last leechers cell ("red\">"), since
// that cell ends every record, on one table row or two. Matching only up to there keeps the
// records the same and spares the trailing rows of a page (footer tables) the pattern's
// cubic search for a record that cannot be found. -1 when the page has no such "<" to bound
// the search.
qsizetype listingRegionEnd(const QString& page)
{
    const qsizetype lastCell = page.lastIndexOf(QLatin1String("red\">"));
    if (lastCell < 0)
        return 0;
    const qsizetype bracket = page.indexOf(u'<', lastCell + 5);
    return bracket < 0 ? -1 : bracket + 1;
}

Torrent makeTorrent(const QStringList& row, const QStringList& history)
{
    Torrent torrent;
    // The list shows the application's own picture of that name.
    torrent.setType(QString(row[1]).replace(QLatin1String("gif"), QLatin1String("png")));
    torrent.setDetailsUrl(row[2]);
    torrent.setName(gtm_stringByUnescapingFromHTML(row[3]));
    QString subType = Regex::replaceAll(QStringLiteral("<.*?>"), row[4], QString());
    subType.remove(QLatin1String("&nbsp;"));
    torrent.setSubType(gtm_stringByUnescapingFromHTML(subType));
    torrent.setDownloadUrl(urlPercentEscape(row[5]));
    torrent.setSize(row[6] + u' ' + row[7]);
    torrent.setUp(row[8]);
    torrent.setDown(row[9]);
    torrent.setIsDownloaded(history.contains(torrent.name()));
    return torrent;
}

// Where the search for records may begin without changing what it finds. A record's category
// picture ("img src=" followed on its line by "/images/cats/") lies on or after the line of
// the first "/images/cats/". Every search from the page's first "<tr>" up to the last "<tr>"
// before that line therefore reaches the same picture, and the same record, as long as that
// last "<tr>" has a "<td" before the first "img src=" of the line. What follows the picture
// (the rest of the record, on its row or on the next) does not depend on where the search
// began. Starting there spares the navigation rows above the table.
qsizetype listingSearchStart(const QString& page)
{
    const qsizetype firstPicture = page.indexOf(kCategoryPictures);
    if (firstPicture < 0)
        return 0;
    const qsizetype lineStart = page.lastIndexOf(u'\n', firstPicture) + 1;
    if (lineStart == 0)
        return 0;
    const qsizetype row = page.lastIndexOf(QLatin1String("<tr>"), lineStart - 1);
    if (row < 0)
        return 0;
    const qsizetype cell = page.indexOf(QLatin1String("<td"), row);
    const qsizetype picture = page.indexOf(QLatin1String("img src="), lineStart);
    return cell >= 0 && cell < picture ? row : 0;
}

} // namespace

const QString HttpRequestRegExTorrent::kRowPattern = QStringLiteral(
    "<tr>[\\s\\S]*?<td[\\s\\S]*?img src=\".*/images/cats/(.*?)\"[\\s\\S]*?<a href=\"(.*?)\">(.*?)</a>"
    "[\\s\\S]*?<td.*?>(.*?)</td>[\\s\\S]*?<a href=\"(/files/download/.*?)\">"
    "[\\s\\S]*?>((?:\\d|,)*\\.?\\d*) (bytes|KB|GB|MB)</td>[\\s\\S]*?<td[\\s\\S]*?<td[\\s\\S]*?green\">(.*?)<"
    "[\\s\\S]*?<td[\\s\\S]*?red\">(.*?)<");

HttpRequestRegExTorrent::HttpRequestRegExTorrent(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExTorrent::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    const QStringList history =
        SettingsStore::standard().stringArrayForKey(QString::fromLatin1(Torrent::kDownloadHistoryKey)).value_or(QStringList());
    m_torrents = parseTorrents(result(), history, &m_timedOut);
}

QList<Torrent> HttpRequestRegExTorrent::parseTorrents(const QString& page, const QStringList& history,
                                                     bool* timedOut)
{
    if (timedOut)
        *timedOut = false;
    QList<Torrent> torrents;
    const qsizetype regionEnd = listingRegionEnd(page);
    if (regionEnd == 0)
        return torrents;
    const bool inTime = Regex::scan(kRowPattern, page, regionEnd, [&](const Regex::Match& match) {
        // A record that lacks a cell (a size in an unknown unit, say) would take it from the
        // records after it and hide them. A match that reaches another category picture has
        // done so: it is skipped, and the search goes on at the row of that picture. Other
        // rows inside a match are the record's own (a record may span two table rows).
        const qsizetype nextPicture = page.indexOf(kCategoryPictures, match.starts[1]);
        if (nextPicture < 0 || nextPicture >= match.end) {
            torrents.append(makeTorrent(match.captures, history));
            return Regex::kGoOn;
        }
        const qsizetype nextRow = page.lastIndexOf(QLatin1String("<tr>"), nextPicture);
        // Both pictures in one row: on after the start of this match.
        return std::max(nextRow, match.starts[0] + 1);
    }, listingSearchStart(page));
    if (timedOut)
        *timedOut = !inTime;
    return torrents;
}
