#include "DemoProfilePages.h"

#include "DemoHtml.h"

#include <httplib.h>

namespace {

QString notFound(const DemoSiteContext& site, const std::optional<DemoAccounts::Account>& member)
{
    return DemoMemberFrame::document(site, QStringLiteral("Error - Tarnvale"),
                                     QStringLiteral("<table class=\"main\"><tr><td>No user with that ID."
                                                    "</td></tr></table>\n"),
                                     member);
}

} // namespace

QString DemoProfilePages::profile(const DemoSiteContext& site, const DemoAccounts::Account& shown,
                                  const std::optional<DemoAccounts::Account>& member)
{
    const double ratio = shown.downloaded > 0 ? double(shown.uploaded) / double(shown.downloaded) : 0.0;
    const QString content = QStringLiteral(
        "<h1>%1</h1>\n"
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td class=\"embedded\">\n"
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"5\" class=\"ctable_content\">\n"
        "<tr><td class=\"rowhead\">Class</td><td align=\"left\">%2</td></tr>\n"
        "<tr><td class=\"rowhead\">Join date</td><td align=\"left\">%3</td></tr>\n"
        "<tr><td class=\"rowhead\">Uploaded</td><td align=\"left\">%4</td></tr>\n"
        "<tr><td class=\"rowhead\">Downloaded</td><td align=\"left\">%5</td></tr>\n"
        "<tr><td class=\"rowhead\">Share ratio</td><td align=\"left\">%6</td></tr>\n"
        "<tr><td class=\"rowhead\">Avatar</td><td align=\"left\"><img src=\"/pic/avatars/%7.png\" width=\"100\" "
        "height=\"100\" alt=\"\" /></td></tr>\n"
        "</table>\n"
        "<p align=\"center\"><a href=\"/sendmessage.php?receiver=%7\">Send message</a></p>\n"
        "</td>\n"
        "</tr>\n"
        "</table>\n")
        .arg(DemoHtml::escape(shown.name), DemoHtml::escape(shown.userClass), shown.joined,
             DemoHtml::sizeText(shown.uploaded), DemoHtml::sizeText(shown.downloaded),
             QString::number(ratio, 'f', 3), QString::number(shown.id));
    return DemoMemberFrame::document(site, QStringLiteral("Details for %1 - Tarnvale").arg(shown.name), content,
                                     member);
}

QString DemoProfilePages::messageForm(const DemoSiteContext& site, const DemoAccounts::Account& receiver,
                                      const std::optional<DemoAccounts::Account>& member)
{
    const QString marker = receiver.id % 2 ? QStringLiteral("<!--Adbox-->") : QStringLiteral("<!-- End AD Box -->");
    const QString content = QStringLiteral(
        "<div class=\"adbox\">\n"
        "<iframe src=\"http://%1/ads/box.html?zone=pm\" width=\"300\" height=\"250\" frameborder=\"0\"></iframe>\n"
        "</div>\n"
        "%2\n"
        "<table class=\"main\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\"><h2>Send message to <a href=\"/users/%3\">%4</a></h2></td></tr>\n"
        "<tr><td>\n"
        "<form method=\"post\" action=\"/takemessage.php\">\n"
        "<input type=\"hidden\" name=\"receiver\" value=\"%3\" />\n"
        "Subject: <input type=\"text\" name=\"subject\" size=\"60\" maxlength=\"80\" /><br />\n"
        "<textarea name=\"msg\" cols=\"60\" rows=\"12\"></textarea><br />\n"
        "<input type=\"checkbox\" name=\"save\" value=\"yes\" /> Save a copy in my sent box<br />\n"
        "<input type=\"submit\" value=\"Send\" class=\"btn\" />\n"
        "</form>\n"
        "</td></tr>\n"
        "</table>\n")
        .arg(site.webHost, marker, QString::number(receiver.id), DemoHtml::escape(receiver.name));
    return DemoMemberFrame::document(site, QStringLiteral("Send message - Tarnvale"), content, member);
}

void DemoProfilePages::install(httplib::Server& web, const DemoSiteContext& site)
{
    web.Get(R"(/users/(\d+))", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        const auto shown = site.accounts->byId(std::atoi(req.matches[1].str().c_str()));
        DemoMemberFrame::sendHtml(res, shown ? profile(site, *shown, member) : notFound(site, member));
    });
    web.Get("/sendmessage.php", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        const auto receiver = site.accounts->byId(std::atoi(req.get_param_value("receiver").c_str()));
        DemoMemberFrame::sendHtml(res, receiver ? messageForm(site, *receiver, member) : notFound(site, member));
    });
}
