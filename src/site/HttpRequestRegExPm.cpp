#include "site/HttpRequestRegExPm.h"

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
    setResult(cleanPage(result()));
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
