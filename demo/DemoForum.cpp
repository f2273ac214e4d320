#include "DemoForum.h"

#include <httplib.h>

namespace {

struct Board
{
    const char* name;
    const char* description;
    int topics;
    int posts;
};

const Board kBoards[] = {
    {"Announcements", "News from the staff", 84, 1207},
    {"General Discussion", "Anything that is not a request", 5230, 98411},
    {"Requests", "Looking for something? Ask here", 12877, 40391},
    {"Help &amp; Support", "Clients, ratios, ports and trackers", 3310, 21740},
    {"Movies &amp; TV", "Reviews, releases and encodes", 2675, 33018},
};

} // namespace

QString DemoForum::frontPage(const DemoSiteContext& site, bool phone)
{
    QString boards;
    for (const Board& board : kBoards) {
        boards += phone
            ? QStringLiteral("<li><a href=\"/viewforum.php?f=%1\">%2</a><span class=\"count\">%3</span></li>\n")
                  .arg(QString::number(&board - kBoards + 1), QLatin1String(board.name), QString::number(board.topics))
            : QStringLiteral("<tr><td class=\"board\"><a href=\"/viewforum.php?f=%1\">%2</a><br /><span class=\"desc\">%3"
                             "</span></td><td class=\"num\">%4</td><td class=\"num\">%5</td></tr>\n")
                  .arg(QString::number(&board - kBoards + 1), QLatin1String(board.name), QLatin1String(board.description),
                       QString::number(board.topics), QString::number(board.posts));
    }
    if (phone) {
        return QStringLiteral(
                   "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\" />\n"
                   "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
                   "<title>Tarnvale Forum (mobile)</title>\n<link rel=\"stylesheet\" href=\"/styles/mobile.css\" />\n"
                   "</head>\n<body class=\"mobile\">\n<h1>Tarnvale Forum</h1>\n<ul class=\"boards\">\n%1</ul>\n"
                   "<p class=\"switch\"><a href=\"/?desktop=1\">Desktop version</a> | "
                   "<a href=\"http://%2/\">Tarnvale</a></p>\n</body>\n</html>\n")
            .arg(boards, site.webHost);
    }
    return QStringLiteral(
               "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
               "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
               "<html>\n<head>\n<title>Tarnvale Forum - Index</title>\n"
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"/styles/board.css\" />\n</head>\n<body>\n"
               "<div id=\"header\"><a href=\"http://%1/\">Tarnvale</a> &raquo; Forum index</div>\n"
               "<table class=\"forums\" width=\"100%\" cellspacing=\"1\">\n"
               "<tr><th>Forum</th><th>Topics</th><th>Posts</th></tr>\n%2</table>\n"
               "<div id=\"footer\">Who is online: 312 members and 1,208 guests</div>\n</body>\n</html>\n")
        .arg(site.webHost, boards);
}

void DemoForum::install(httplib::Server& forum, const DemoSiteContext& site)
{
    forum.Get("/", [site](const httplib::Request& req, httplib::Response& res) {
        const bool phone = req.get_header_value("User-Agent").find("iPhone") != std::string::npos;
        DemoMemberFrame::sendHtml(res, frontPage(site, phone));
    });
}
