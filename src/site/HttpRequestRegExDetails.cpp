#include "site/HttpRequestRegExDetails.h"

#include "site/SiteHosts.h"
#include "util/Regex.h"

const QString HttpRequestRegExDetails::kDeletedMessage =
    QStringLiteral("The torrent you requested was deleted by its owner or a moderator.");

const QString HttpRequestRegExDetails::kPagePattern = QStringLiteral(
    R"RX(([\s\S]*</head>)[\s\S]*(<table[\s\S]*?>Details for[\s\S]*value="Submit comment"[\s\S]*?</table>[\s\S]*?</table>))RX");

namespace {

// The pattern can only match where the page holds these, in this order; a page without
// them is answered at once instead of trying the greedy pattern from every position.
bool mayMatch(const QString& page)
{
    const qsizetype head = page.indexOf(QLatin1String("</head>"));
    if (head < 0)
        return false;
    const qsizetype details = page.indexOf(QLatin1String(">Details for"), head);
    if (details < 0)
        return false;
    const qsizetype submit = page.lastIndexOf(QLatin1String("value=\"Submit comment\""));
    if (submit < details)
        return false;
    const qsizetype firstEnd = page.indexOf(QLatin1String("</table>"), submit);
    return firstEnd >= 0 && page.indexOf(QLatin1String("</table>"), firstEnd + 8) >= 0;
}

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
    setResult(cleanPage(result(), SiteHosts::filmDatabaseHost(), &m_imdb));
}

QString HttpRequestRegExDetails::cleanPage(const QString& page, const QString& filmHost, QString* imdb)
{
    if (imdb)
        *imdb = QString();
    if (page.contains(kDeletedMessage) || !mayMatch(page))
        return page;
    // No match can end after the page's last "</table>".
    const qsizetype regionEnd = page.lastIndexOf(QLatin1String("</table>")) + 8;
    const std::optional<QStringList> parts = Regex::firstMatch(kPagePattern, page, regionEnd);
    if (!parts || parts->size() < 3)
        return page;

    const std::optional<QStringList> title = Regex::firstMatch(
        QStringLiteral("(http://") + filmHost + QStringLiteral("/title/.*?/)"), parts->at(2));
    QString cleaned = parts->at(1) + parts->at(2);
    cleaned = Regex::replaceAll(QStringLiteral("<iframe[\\s\\S]*?</iframe>"), cleaned, QString());
    cleaned = Regex::replaceAll(QStringLiteral("<span.*?>Sponsored links</span>"), cleaned, QString());
    if (imdb && title && title->size() > 1 && !title->at(1).isEmpty())
        *imdb = title->at(1);
    return cleaned;
}
