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
    // Messages sent to the member through the message form, newest first.
    QString messages;
    const QList<DemoAccounts::Message> received = site.accounts->messagesTo(shown.id);
    for (auto it = received.crbegin(); it != received.crend(); ++it) {
        const auto sender = site.accounts->byId(it->from);
        messages += QStringLiteral("<div class=\"message\"><b>%1</b> from %2:<br />%3</div>\n")
                        .arg(DemoHtml::escape(it->subject.isEmpty() ? QStringLiteral("(no subject)") : it->subject),
                             DemoHtml::escape(sender ? sender->name : QStringLiteral("someone")),
                             DemoHtml::escape(it->body).replace(QLatin1Char('\n'), QStringLiteral("<br />")));
    }
    const QString messageRow = messages.isEmpty()
        ? QString()
        : QStringLiteral("<tr><td class=\"rowhead\">Messages (%1)</td><td align=\"left\">\n%2</td></tr>\n")
              .arg(received.size())
              .arg(messages);
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
        "%8"
        "</table>\n"
        "<p align=\"center\"><a href=\"/sendmessage.php?receiver=%7\">Send message</a></p>\n"
        "</td>\n"
        "</tr>\n"
        "</table>\n")
        .arg(DemoHtml::escape(shown.name), DemoHtml::escape(shown.userClass), shown.joined,
             DemoHtml::sizeText(shown.uploaded), DemoHtml::sizeText(shown.downloaded),
             QString::number(ratio, 'f', 3), QString::number(shown.id), messageRow);
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

QString DemoProfilePages::messageSent(const DemoSiteContext& site, const DemoAccounts::Account& receiver,
                                      const std::optional<DemoAccounts::Account>& member)
{
    const QString content = QStringLiteral(
        "<table class=\"main\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"5\">\n"
        "<tr><td class=\"colhead\"><h2>Message sent</h2></td></tr>\n"
        "<tr><td>Your message to <a href=\"/users/%1\">%2</a> has been sent.</td></tr>\n"
        "</table>\n")
        .arg(QString::number(receiver.id), DemoHtml::escape(receiver.name));
    return DemoMemberFrame::document(site, QStringLiteral("Message sent - Tarnvale"), content, member);
}

void DemoProfilePages::install(httplib::Server& web, const DemoSiteContext& site)
{
    auto show = [site](const httplib::Request& req, httplib::Response& res,
                       const std::optional<DemoAccounts::Account>& shown) {
        const auto member = site.viewer(req);
        if (shown)
            return DemoMemberFrame::sendHtml(res, profile(site, *shown, member));
        DemoMemberFrame::sendHtml(res, notFound(site, member), 404);
    };
    // By id ("/users/815", and "/users/?id=815" as the friends page links them) or by name
    // ("/users/morpheus", as the application asks).
    web.Get(R"(/users/(\d+))", [site, show](const httplib::Request& req, httplib::Response& res) {
        show(req, res, site.accounts->byId(std::atoi(req.matches[1].str().c_str())));
    });
    web.Get("/users/", [site, show](const httplib::Request& req, httplib::Response& res) {
        show(req, res, site.accounts->byId(std::atoi(req.get_param_value("id").c_str())));
    });
    web.Get(R"(/users/([^/]+))", [site, show](const httplib::Request& req, httplib::Response& res) {
        show(req, res, site.accounts->byName(QString::fromStdString(req.matches[1].str())));
    });
    web.Post("/takemessage.php", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        const auto receiver = site.accounts->byId(std::atoi(req.get_param_value("receiver").c_str()));
        if (!member || !receiver)
            return DemoMemberFrame::sendHtml(res, notFound(site, member), 404);
        site.accounts->addMessage({member->id, receiver->id, QString::fromStdString(req.get_param_value("subject")),
                                   QString::fromStdString(req.get_param_value("msg"))});
        DemoMemberFrame::sendHtml(res, messageSent(site, *receiver, member));
    });
    web.Get("/sendmessage.php", [site](const httplib::Request& req, httplib::Response& res) {
        const auto member = site.viewer(req);
        const auto receiver = site.accounts->byId(std::atoi(req.get_param_value("receiver").c_str()));
        DemoMemberFrame::sendHtml(res, receiver ? messageForm(site, *receiver, member) : notFound(site, member));
    });
}
