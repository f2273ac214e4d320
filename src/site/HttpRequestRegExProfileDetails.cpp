#include "site/HttpRequestRegExProfileDetails.h"

#include "site/NarrowScreenStyle.h"
#include "util/Regex.h"

const QString HttpRequestRegExProfileDetails::kPagePattern = QStringLiteral(
    R"RX(([\s\S]*</head>)[\s\S]*(<table[\s\S]*?class="ctable_content">[\s\S]*?</table>[\s\S]*?</td>[\s\S]*?</tr>[\s\S]*?</table>))RX");

const QString HttpRequestRegExProfileDetails::kErrorPage =
    QStringLiteral("<html>Error loading page.  Try again.</html>");

HttpRequestRegExProfileDetails::HttpRequestRegExProfileDetails(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExProfileDetails::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    setResult(NarrowScreenStyle::applyTo(cleanPage(result())));
}

QString HttpRequestRegExProfileDetails::cleanPage(const QString& page)
{
    // Without a head before the content table the greedy pattern cannot match; it is not
    // tried from every position of the page then.
    const qsizetype head = page.indexOf(QLatin1String("</head>"));
    if (head < 0 || page.indexOf(QLatin1String("class=\"ctable_content\">"), head) < 0)
        return kErrorPage;
    // No match can end after the page's last "</table>".
    const qsizetype regionEnd = page.lastIndexOf(QLatin1String("</table>")) + 8;
    const std::optional<QStringList> parts = Regex::firstMatch(kPagePattern, page, regionEnd);
    if (!parts || parts->size() < 3)
        return kErrorPage;
    return parts->at(1) + parts->at(2);
}
