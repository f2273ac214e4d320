#include "site/ListingQuery.h"

#include "site/SiteHosts.h"
#include "util/TextUtilities.h"

QString ListingQuery::sortCode() const
{
    return sortBy == QLatin1String("asc") ? orderBy.toLower() : orderBy;
}

QUrl ListingQuery::url(int page, const QString& escapedText) const
{
    // One arg() for all: a second pass would read the "%2B" of an escaped text as a marker.
    return SiteHosts::webUrl(QStringLiteral("/files/?uid=0&category=%1&subcategory=0&language=%2&seeded=0"
                                            "&quality=0&external=2&query=%3&sort=%4&page=%5")
                                 .arg(category, language, escapedText, sortCode(), QString::number(page)));
}

QString ListingQuery::escapeSearchText(const QString& text)
{
    return stringWithPercentEscape(text);
}
