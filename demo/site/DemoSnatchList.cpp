#include "DemoSnatchList.h"

#include "DemoCatalog.h"
#include "DemoHtml.h"

#include <QDateTime>

#include <httplib.h>

namespace {

// A JSON string of text: the site escapes "/" as well as quotes and backslashes.
QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\' || c == u'/')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

// The torrents a member has snatched: a fixed pick from the catalogue, newest snatch first.
std::vector<const DemoTorrent*> snatchesOf(const DemoCatalog& catalog, int userId)
{
    std::vector<const DemoTorrent*> picked;
    const auto& all = catalog.torrents();
    for (size_t i = (userId * 31) % 97; i < all.size() && picked.size() < 73; i += 37 + userId % 11)
        picked.push_back(&all[i]);
    return picked;
}

} // namespace

QString DemoSnatchList::reply(const DemoSiteContext& site, int userId, int start, int length, int echo)
{
    const auto snatches = snatchesOf(*site.catalog, userId);
    QStringList rows;
    for (int i = qMax(0, start); i < int(snatches.size()) && i < start + length; ++i) {
        const DemoTorrent& t = *snatches[i];
        const qint64 downloaded = (i % 9 == 4) ? t.sizeBytes / 3 : t.sizeBytes;
        const qint64 uploaded = qint64(double(t.sizeBytes) * ((t.id * 13 + userId) % 450) / 100.0);
        const double ratio = downloaded ? double(uploaded) / double(downloaded) : 0.0;
        const bool seeding = (t.id + i) % 3 != 0;
        const qint64 when = t.addedSecs + 3600 * (1 + i);
        const QString link = QStringLiteral("<a href=\"%1\">%2</a>").arg(DemoHtml::detailsPath(t), DemoHtml::escape(t.name));
        rows << QStringLiteral("[%1,%2,%3,%4,%5,%6,%7,%8,%9")
                    .arg(jsonString(link), jsonString(DemoHtml::sizeText(t.sizeBytes)),
                         jsonString(QDateTime::fromSecsSinceEpoch(t.addedSecs, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                         jsonString(DemoHtml::sizeText(downloaded)), jsonString(DemoHtml::sizeText(uploaded)),
                         QString::number(ratio, 'f', 2), seeding ? QStringLiteral("1") : QStringLiteral("0"),
                         QString::number(when), jsonString(seeding ? QStringLiteral("Yes") : QStringLiteral("No")))
                    + QStringLiteral(",%1]").arg(jsonString(
                        QDateTime::fromSecsSinceEpoch(when, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    }
    return QStringLiteral("{\"sEcho\":%1,\"iTotalRecords\":%2,\"iTotalDisplayRecords\":%2,\"aaData\":[%3]}")
        .arg(QString::number(echo), QString::number(snatches.size()), rows.join(QLatin1Char(',')));
}

void DemoSnatchList::install(httplib::Server& web, const DemoSiteContext& site)
{
    web.Post("/user/account/snatchlist", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        auto number = [&req](const char* name, int fallback) {
            return req.has_param(name) ? std::atoi(req.get_param_value(name).c_str()) : fallback;
        };
        // Only the member's own list is served; another user's id gets an empty table.
        const int userId = number("userID", 0);
        const int length = qBound(1, number("iDisplayLength", 50), 100);
        const QString body = member && member->id == userId
            ? reply(site, userId, number("iDisplayStart", 0), length, number("sEcho", 1))
            : QStringLiteral("{\"sEcho\":%1,\"iTotalRecords\":0,\"iTotalDisplayRecords\":0,\"aaData\":[]}")
                  .arg(number("sEcho", 1));
        res.set_content(body.toStdString(), "application/json");
    });
}
