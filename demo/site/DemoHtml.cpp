#include "DemoHtml.h"

#include "DemoTorrent.h"

#include <QRegularExpression>

namespace {

QString withCommas(qint64 whole)
{
    QString digits = QString::number(whole);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

} // namespace

QString DemoHtml::escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

QString DemoHtml::sizeText(qint64 bytes)
{
    if (bytes < 10000)
        return withCommas(bytes) + QLatin1String(" bytes");
    static const char* const units[] = {"KB", "MB", "GB"};
    double value = double(bytes) / 1024.0;
    int unit = 0;
    while (unit < 2 && value >= 10000.0) {
        value /= 1024.0;
        ++unit;
    }
    const qint64 cents = qint64(value * 100.0 + 0.5);
    return QStringLiteral("%1.%2 %3")
        .arg(withCommas(cents / 100))
        .arg(cents % 100, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(units[unit]));
}

QString DemoHtml::detailsPath(const DemoTorrent& torrent)
{
    static const QRegularExpression notSlug(QStringLiteral("[^A-Za-z0-9]+"));
    QString slug = torrent.name;
    slug.replace(notSlug, QStringLiteral("-"));
    return QStringLiteral("/torrent/%1/%2.html").arg(torrent.id).arg(slug);
}

QString DemoHtml::downloadPath(const DemoTorrent& torrent)
{
    // The site names the file after the torrent, keeping blanks but dropping characters
    // that would need escaping in an attribute.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9 ._()\\[\\]-]+"));
    QString file = torrent.name;
    file.replace(unsafe, QString());
    return QStringLiteral("/files/download/%1/%2.torrent").arg(torrent.id).arg(file.simplified());
}
