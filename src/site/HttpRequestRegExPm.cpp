#include "site/HttpRequestRegExPm.h"

#include "site/NarrowScreenStyle.h"
#include "util/Regex.h"

const QString HttpRequestRegExPm::kPagePattern = QStringLiteral(
    R"RX((<head>[\s\S]*</head>)[\s\S]*(<!-- End AD Box -->|<!--Adbox-->)([\s\S]*)</table>[\s])RX");

HttpRequestRegExPm::HttpRequestRegExPm(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExPm::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    const QString cleaned = cleanPage(result());
    // A page that could not be cleaned is shown as the site sent it.
    setResult(cleaned == result() ? cleaned : NarrowScreenStyle::applyTo(cleaned));
}

QString HttpRequestRegExPm::cleanPage(const QString& page)
{
    // No match can end after the white-space character behind the page's last "</table>".
    const qsizetype lastTable = page.lastIndexOf(QLatin1String("</table>"));
    if (lastTable < 0)
        return page;
    const std::optional<QStringList> parts = Regex::firstMatch(kPagePattern, page, lastTable + 9);
    if (!parts || parts->size() < 4)
        return page;
    return parts->at(1) + parts->at(3);
}
