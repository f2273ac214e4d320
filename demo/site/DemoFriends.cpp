#include "DemoFriends.h"

#include "DemoHtml.h"
#include "DemoPictures.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>

#include <httplib.h>

namespace {

QString entry(const DemoSiteContext& site, int me, const DemoAccounts::Account& person)
{
    // Some members keep their picture on the site, others link one from elsewhere.
    const QString avatar = person.id % 2
        ? QStringLiteral("http://%1/pic/avatars/%2.png").arg(site.webHost).arg(person.id)
        : QStringLiteral("/pic/avatars/%1.png").arg(person.id);
    const QDateTime seen = QDateTime(QDate(2011, 2, 3), QTime(21, 14, 9), Qt::UTC).addSecs(-(person.id % 97) * 3671);
    return QStringLiteral(
        "<div style=\"margin-bottom: 8px\"><table width=\"100%\" class=\"main\" border=\"0\" cellspacing=\"0\" "
        "cellpadding=\"0\"><tr valign=\"top\">\n"
        "<td class=\"embedded\" style=\"width: 100px; padding: 4px\"><img width=\"100\" alt=\"\" src=\"%1\"></td>\n"
        "<td class=\"embedded\" style=\"padding: 4px\"><a href=/users/?id=%2><b>%3</b></a> (%4)<br><br>"
        "last seen %5 (%6 hours ago)<br>\n"
        "<a href=/friends.php?id=%7&action=delete&type=friend&targetid=%2>Remove from friends</a> | "
        "<a href=/sendmessage.php?receiver=%2>Send message</a></td></tr></table></div>\n")
        .arg(avatar, QString::number(person.id), DemoHtml::escape(person.name), DemoHtml::escape(person.userClass),
             seen.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QString::number(1 + (person.id % 97)),
             QString::number(me));
}

} // namespace

QString DemoFriends::page(const DemoSiteContext& site, const DemoAccounts::Account& member)
{
    QString entries;
    for (int id : site.accounts->friendsOf(member.id)) {
        if (const auto person = site.accounts->byId(id))
            entries += entry(site, member.id, *person);
    }
    if (entries.isEmpty())
        entries = QStringLiteral("<em>Your friends list is empty.</em>\n");
    const QString content = QStringLiteral(
        "<table class=\"main\" width=\"737\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td class=\"embedded\">\n"
        "<h2 align=\"left\">Friends list</h2>\n"
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"5\"><tr><td>\n%1</td></tr></table>\n"
        "</td></tr></table>\n"
        "<p><img border=\"0\" alt=\"Invite a friend\" src=\"/pic/invite.png\"></p>\n").arg(entries);
    return DemoMemberFrame::document(site, QStringLiteral("Friends - Tarnvale"), content, member);
}

QByteArray DemoFriends::avatar(int userId)
{
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((userId * 47) % 360, 150, 200));
    painter.drawEllipse(QRectF(4, 4, 92, 92));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QRectF(32, 20, 36, 36));
    painter.drawEllipse(QRectF(20, 60, 60, 50));
    painter.end();
    return DemoPictures::png(image);
}

void DemoFriends::install(httplib::Server& web, const DemoSiteContext& site)
{
    web.Get("/friends.php", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        if (!member)
            return;
        if (req.get_param_value("action") == "delete" && req.get_param_value("type") == "friend") {
            // Someone who is not (or no longer) a friend cannot be removed: the site says so
            // with a "not found" status.
            const bool removed = site.accounts->removeFriend(member->id, std::atoi(req.get_param_value("targetid").c_str()));
            const QString content = removed
                ? QStringLiteral("<table class=\"main\"><tr><td>Friend removed. "
                                 "<a href=\"/friends.php\">Back to your friends</a></td></tr></table>\n")
                : QStringLiteral("<table class=\"main\"><tr><td>That member is not on your friends list. "
                                 "<a href=\"/friends.php\">Back to your friends</a></td></tr></table>\n");
            return DemoMemberFrame::sendHtml(
                res, DemoMemberFrame::document(site, QStringLiteral("Friends - Tarnvale"), content, member),
                removed ? 200 : 404);
        }
        DemoMemberFrame::sendHtml(res, page(site, *member));
    });
    // Also with two slashes after the host: the application puts the site's root before
    // sources that begin with one.
    web.Get(R"(/+pic/avatars/(\d+)\.png)", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(avatar(std::atoi(req.matches[1].str().c_str())).toStdString(), "image/png");
    });
}
