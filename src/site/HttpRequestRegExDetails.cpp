#include "site/HttpRequestRegExDetails.h"

#include "site/NarrowScreenStyle.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"

const QString HttpRequestRegExDetails::kDeletedMessage =
    QStringLiteral("The torrent you requested was deleted by its owner or a moderator.");

const QString HttpRequestRegExDetails::kPagePattern = QStringLiteral(
    R"RX(([\s\S]*</head>)[\s\S]*(<table[\s\S]*?>Details for[\s\S]*value="Submit comment"[\s\S]*?</table>[\s\S]*?</table>))RX");

namespace {

const QLatin1String kHeadEnd("</head>");
const QLatin1String kTable("<table");
const QLatin1String kTableEnd("</table>");
const QLatin1String kDetailsFor(">Details for");
const QLatin1String kSubmit("value=\"Submit comment\"");

// The last index at or before from where needle starts; -1 when from is negative (where
// Qt would count from the end instead).
qsizetype lastBefore(const QString& page, QLatin1String needle, qsizetype from)
{
    return from < 0 ? -1 : page.lastIndexOf(needle, from);
}

// Where the page pattern's second group starts, found without the pattern's backtracking:
// its greedy "[\s\S]*" settles on the last "<table" that still has, after it, a ">Details
// for" followed by the comment button and two table ends; its first group ends at the last
// "</head>" before that. Run as one pattern, each "<table" after the details table (one per
// comment) would scan the rest of the page, which grows with the square of the page.
// -1 when the pattern cannot match.
qsizetype detailsTableStart(const QString& page, qsizetype* headEnd)
{
    const qsizetype lastEnd = page.lastIndexOf(kTableEnd);
    const qsizetype secondLastEnd = lastBefore(page, kTableEnd, lastEnd - 1);
    const qsizetype submit = lastBefore(page, kSubmit, secondLastEnd - kSubmit.size());
    const qsizetype details = lastBefore(page, kDetailsFor, submit - kDetailsFor.size());
    const qsizetype table = lastBefore(page, kTable, details - kTable.size());
    const qsizetype head = lastBefore(page, kHeadEnd, table - kHeadEnd.size());
    if (lastEnd < 0 || secondLastEnd < 0 || submit < 0 || details < 0 || table < 0 || head < 0)
        return -1;
    *headEnd = head + kHeadEnd.size();
    return table;
}

// The details table with the rest of the page pattern, from where it starts.
const QString kTablePattern = QStringLiteral(
    R"RX((<table[\s\S]*?>Details for[\s\S]*value="Submit comment"[\s\S]*?</table>[\s\S]*?</table>))RX");

} // namespace

HttpRequestRegExDetails::HttpRequestRegExDetails(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExDetails::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    const QString cleaned = cleanPage(result(), SiteHosts::filmDatabaseHost(), &m_imdb);
    // A page that could not be cleaned is shown as the site sent it.
    setResult(cleaned == result() ? cleaned : NarrowScreenStyle::applyTo(cleaned));
}

QString HttpRequestRegExDetails::cleanPage(const QString& page, const QString& filmHost, QString* imdb)
{
    if (imdb)
        *imdb = QString();
    if (page.contains(kDeletedMessage))
        return page;
    qsizetype headEnd = 0;
    const qsizetype tableStart = detailsTableStart(page, &headEnd);
    if (tableStart < 0)
        return page;
    const std::optional<QStringList> table = Regex::firstMatch(kTablePattern, page.mid(tableStart));
    if (!table || table->size() < 2 || !table->at(0).startsWith(kTable))
        return page;
    const QStringList parts{QString(), page.left(headEnd), table->at(1)};

    const std::optional<QStringList> title = Regex::firstMatch(
        QStringLiteral("(http://") + filmHost + QStringLiteral("/title/.*?/)"), parts.at(2));
    QString cleaned = parts.at(1) + parts.at(2);
    cleaned = Regex::replaceAll(QStringLiteral("<iframe[\\s\\S]*?</iframe>"), cleaned, QString());
    cleaned = Regex::replaceAll(QStringLiteral("<span.*?>Sponsored links</span>"), cleaned, QString());
    if (imdb && title && title->size() > 1 && !title->at(1).isEmpty())
        *imdb = title->at(1);
    return cleaned;
}
