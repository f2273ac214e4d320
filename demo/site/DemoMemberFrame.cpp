#include "DemoMemberFrame.h"

#include "DemoCategory.h"
#include "DemoHtml.h"

#include <httplib.h>

std::optional<DemoAccounts::Account> DemoSiteContext::viewer(const httplib::Request& req) const
{
    const auto member = accounts->sessionUser(QString::fromStdString(req.get_header_value("Cookie")));
    if (member || accounts->sessionRequired())
        return member;
    return accounts->accounts().constFirst();
}

QString DemoMemberFrame::profileLink(const DemoAccounts::Account& member)
{
    return QStringLiteral("<a href=\"/users/%1\" class=\"user\"><img src=\"/pic/icons/user.png\" alt=\"\" "
                          "width=\"12\" height=\"12\" border=\"0\"> %2</a>")
        .arg(member.id)
        .arg(DemoHtml::escape(member.name));
}

QString DemoMemberFrame::document(const DemoSiteContext& site, const QString& title, const QString& content,
                                  const std::optional<DemoAccounts::Account>& member)
{
    QString categoryMenu;
    for (const DemoCategory& category : DemoCategory::all()) {
        categoryMenu += QStringLiteral("<a href=\"/files/?category=%1\">%2</a> \n")
                            .arg(category.code, DemoHtml::escape(category.label));
    }
    const QString userBar = member
        ? QStringLiteral("Welcome back, %1 | <a href=\"/friends.php\">Friends</a> | "
                         "<a href=\"/user/account/snatched\">Snatch list</a> | "
                         "<a href=\"/logout.php\">Log out</a>")
              .arg(profileLink(*member))
        : QStringLiteral("<a href=\"https://%1/account_handler.php\">Log in</a> | "
                         "<a href=\"/signup.php\">Sign up</a>")
              .arg(site.secureWebHost);

    return QStringLiteral(
               "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
               "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
               "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
               "<head>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
               "<title>%1</title>\n"
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"/css/site.css\" />\n"
               "<script type=\"text/javascript\" src=\"/js/site.js\"></script>\n"
               "</head>\n"
               "<body>\n"
               "<table class=\"top\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>\n"
               "<td class=\"logo\"><a href=\"/\">Tarnvale</a></td>\n"
               "<td class=\"userbar\">%2</td>\n"
               "</tr></table>\n"
               "<table class=\"menu\" width=\"100%\"><tr><td>\n"
               "<a href=\"/\">Home</a> | <a href=\"/files/\">Torrents</a> | <a href=\"/files/upload/\">Upload</a> | "
               "<a href=\"http://%3/\">Forum</a> | <a href=\"/faq.php\">FAQ</a>\n"
               "</td></tr><tr><td class=\"catmenu\">\n%4</td></tr></table>\n"
               "<iframe src=\"http://%5/ads/leaderboard.html\" width=\"728\" height=\"90\" frameborder=\"0\" "
               "scrolling=\"no\"></iframe>\n"
               "<table class=\"mainouter\" width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"10\">"
               "<tr><td class=\"outer\">\n%6</td></tr></table>\n"
               "<table class=\"footer\" width=\"100%\"><tr><td>\n"
               "<a href=\"/rules.php\">Rules</a> | <a href=\"/privacy.php\">Privacy</a> | "
               "<a href=\"/contact.php\">Contact</a><br />\n"
               "&copy; Tarnvale. Tracker software on demo duty.\n"
               "</td></tr></table>\n"
               "</body>\n"
               "</html>\n")
        .arg(DemoHtml::escape(title), userBar, site.forumHost, categoryMenu, site.webHost, content);
}

void DemoMemberFrame::sendHtml(httplib::Response& res, const QString& html, int status)
{
    res.status = status;
    res.set_content(html.toStdString(), "text/html; charset=utf-8");
}
