#include "DemoDetailsPage.h"

#include "DemoCatalog.h"
#include "DemoCategory.h"
#include "DemoHtml.h"

#include <QDateTime>
#include <QUrl>

#include <httplib.h>

const char DemoDetailsPage::kFilmDatabaseHost[] = "www.filmdatabase.example";
const char DemoDetailsPage::kDeletedMessage[] =
    "The torrent you requested was deleted by its owner or a moderator.";

namespace {

const char* const kComments[] = {
    "Thanks for the upload, quality is great.",
    "Seeding for a week, enjoy!",
    "Can someone reseed please? Stuck at 97.4%",
    "Audio is a bit out of sync in the second half &mdash; still worth it.",
    "Exactly as described. Cheers!",
};
const char* const kCommenters[] = {"trinity", "morpheus", "tank_op", "Zo&euml;", "seedbox42"};

QString commentsOf(const DemoTorrent& t)
{
    QString html;
    const int shown = qMin(t.comments, 4);
    for (int i = 0; i < shown; ++i) {
        const int pick = (t.id + i) % 5;
        html += QStringLiteral(
            "<tr><td colspan=\"2\"><table class=\"comment\" width=\"100%\" border=\"0\" cellspacing=\"0\">"
            "<tr><td class=\"comment_head\"><b>%1</b> wrote %2 days ago:</td></tr>"
            "<tr><td class=\"comment_body\">%3</td></tr></table></td></tr>\n")
                    .arg(QLatin1String(kCommenters[pick]))
                    .arg(1 + (t.id + 3 * i) % 40)
                    .arg(QLatin1String(kComments[pick]));
    }
    if (shown == 0)
        html = QStringLiteral("<tr><td colspan=\"2\"><em>No comments yet.</em></td></tr>\n");
    return html;
}

// The uploader's profile, which the site opens in a new window.
QString uploaderRow(const DemoSiteContext& site, const DemoTorrent& t)
{
    const QList<DemoAccounts::Account> members = site.accounts->accounts();
    const DemoAccounts::Account& uploader = members.at(t.id % members.size());
    return QStringLiteral("<tr><td class=\"heading\">Uploaded by</td><td><a href=\"/users/%1\" target=\"_blank\">%2</a>"
                          "</td></tr>\n")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(uploader.name)), DemoHtml::escape(uploader.name));
}

} // namespace

QString DemoDetailsPage::render(const DemoSiteContext& site, const DemoTorrent& t,
                                const std::optional<DemoAccounts::Account>& member)
{
    const DemoCategory* category = DemoCategory::byCode(t.category);
    const QString added = QDateTime::fromSecsSinceEpoch(t.addedSecs, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QString filmRow;
    if (t.category == QLatin1String("1")) {
        const QString title = QStringLiteral("http://%1/title/tt%2/")
                                  .arg(QLatin1String(kFilmDatabaseHost))
                                  .arg(100000 + (t.id * 7919) % 9000000, 7, 10, QLatin1Char('0'));
        filmRow = QStringLiteral("<tr><td class=\"heading\">Film database</td><td><a href=\"%1\" "
                                 "target=\"_blank\">%1</a></td></tr>\n").arg(title);
    }
    const QString content = QStringLiteral(
        "<table class=\"details\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\" colspan=\"2\"><h1>Details for %1</h1></td></tr>\n"
        "<tr><td class=\"heading\">Download</td><td><a class=\"index\" href=\"%2\">%3.torrent</a></td></tr>\n"
        "<tr><td class=\"heading\">Category</td><td>%4 &raquo; %5</td></tr>\n"
        "<tr><td class=\"heading\">Size</td><td>%6 (%7 bytes)</td></tr>\n"
        "<tr><td class=\"heading\">Added</td><td>%8</td></tr>\n"
        "<tr><td class=\"heading\">Peers</td><td><span class=\"green\">%9 seeders</span>, ")
        .arg(DemoHtml::escape(t.name), DemoHtml::downloadPath(t), DemoHtml::escape(t.name),
             DemoHtml::escape(category ? category->label : QString()),
             DemoHtml::escape(category ? category->subCategories.value(t.subCategory - 1) : QString()),
             DemoHtml::sizeText(t.sizeBytes), QString::number(t.sizeBytes),
             added, QString::number(t.seeders))
        + QStringLiteral("<span class=\"red\">%1 leechers</span></td></tr>\n").arg(t.leechers)
        + uploaderRow(site, t)
        + filmRow
        + QStringLiteral(
            "<tr><td class=\"heading\">Sponsored</td><td>\n"
            "<span class=\"sponsor_head\">Sponsored links</span>\n"
            "<iframe src=\"http://%1/ads/text.html?zone=details\" width=\"468\" height=\"60\" frameborder=\"0\"\n"
            " scrolling=\"no\"></iframe>\n"
            "</td></tr>\n"
            "<tr><td class=\"colhead\" colspan=\"2\">Comments (%2)</td></tr>\n")
              .arg(site.webHost)
              .arg(t.comments)
        + commentsOf(t)
        + QStringLiteral(
            "<tr><td colspan=\"2\">\n"
            "<form method=\"post\" action=\"/comment.php\">\n"
            "<textarea name=\"body\" rows=\"4\" cols=\"60\"></textarea><br />\n"
            "<input type=\"hidden\" name=\"tid\" value=\"%1\" />\n"
            "<input type=\"submit\" class=\"btn\" value=\"Submit comment\" />\n"
            "</form>\n"
            "</td></tr>\n"
            "</table>\n"
            "<iframe src=\"http://%2/ads/box.html?zone=below\" width=\"300\" height=\"250\" frameborder=\"0\"></iframe>\n")
              .arg(t.id)
              .arg(site.webHost);
    return DemoMemberFrame::document(site, QStringLiteral("Details for %1 - Tarnvale").arg(t.name), content, member);
}

QString DemoDetailsPage::deleted(const DemoSiteContext& site, const std::optional<DemoAccounts::Account>& member)
{
    const QString content = QStringLiteral(
        "<table class=\"main\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\"><h2>Error</h2></td></tr>\n"
        "<tr><td>%1</td></tr>\n"
        "</table>\n").arg(QLatin1String(kDeletedMessage));
    return DemoMemberFrame::document(site, QStringLiteral("Error - Tarnvale"), content, member);
}

void DemoDetailsPage::install(httplib::Server& web, const DemoSiteContext& site)
{
    // The snatch list's rows make addresses with two slashes after the host; the site takes them.
    web.Get(R"(/+torrent/(\d+)(/.*)?)", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        const DemoTorrent* torrent = site.catalog->byId(std::atoi(req.matches[1].str().c_str()));
        DemoMemberFrame::sendHtml(res, torrent ? render(site, *torrent, member) : deleted(site, member));
    });
    // The comment form's post: the site takes it and sends the browser back to the details.
    web.Post("/comment.php", [](const httplib::Request& req, httplib::Response& res) {
        const int id = std::atoi(req.get_param_value("tid").c_str());
        res.set_redirect("/torrent/" + std::to_string(id), 303);
    });
}
