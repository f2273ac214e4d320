#include "site/SiteAddress.h"

#include "site/SiteHosts.h"

#include <algorithm>

QString SiteAddress::pathSegment(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String(".."))
        return QString();
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

std::optional<QUrl> SiteAddress::profileUrl(const QString& name)
{
    const QString segment = pathSegment(name);
    if (segment.isNull())
        return std::nullopt;
    return SiteHosts::webUrl(QStringLiteral("/users/") + segment);
}

bool SiteAddress::isNumericId(const QString& id)
{
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    return !id.isEmpty() && std::all_of(id.cbegin(), id.cend(), isDigit);
}

std::optional<QUrl> SiteAddress::friendRemovalUrl(const QString& userId, const QString& friendId)
{
    if (!isNumericId(userId) || !isNumericId(friendId))
        return std::nullopt;
    return SiteHosts::webUrl(QStringLiteral("/friends.php?id=%1&action=delete&type=friend&targetid=%2&sure=1")
                                 .arg(userId, friendId));
}
