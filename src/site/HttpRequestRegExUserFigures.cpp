#include "site/HttpRequestRegExUserFigures.h"

#include "util/Regex.h"

namespace {

// Longer is no figure: a page that puts a paragraph there gets nothing into the header.
constexpr qsizetype kLongestFigure = 32;

QString figure(const QString& label, const QString& page)
{
    const std::optional<QStringList> match = Regex::firstMatch(HttpRequestRegExUserFigures::figurePattern(label), page);
    if (!match || match->size() < 2)
        return QString();
    QString text = match->at(1);
    text.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    text = text.simplified();
    if (text.isEmpty() || text.size() > kLongestFigure)
        return QString();
    return text;
}

} // namespace

HttpRequestRegExUserFigures::HttpRequestRegExUserFigures(const QUrl& url)
    : HttpRequest(url)
{
}

QString HttpRequestRegExUserFigures::figurePattern(const QString& label)
{
    // The label stands as an element's whole text; then a colon, or up to four tags (the end
    // of its cell and the start of the value's, with the odd <b> or <font>), so neither
    // "Uploaded by" nor an empty value cell takes the next row's text.
    return QStringLiteral(R"RX((?i)>\s*(?:%1)\s*(?::\s*(?:<[^<>]*>\s*){0,4}|(?:<[^<>]*>\s*){1,4})([^<\s][^<]*?)\s*<)RX")
        .arg(label);
}

UserFigures HttpRequestRegExUserFigures::figuresFromPage(const QString& page)
{
    UserFigures figures;
    figures.ratio = figure(QStringLiteral(R"RX((?:share\s+)?ratio)RX"), page);
    figures.uploaded = figure(QStringLiteral("uploaded"), page);
    figures.downloaded = figure(QStringLiteral("downloaded"), page);
    return figures;
}

void HttpRequestRegExUserFigures::request()
{
    HttpRequest::request();
    if (isResponseValid() && !result().isNull())
        m_figures = figuresFromPage(result());
}
