#include "DemoForum.h"

#include <httplib.h>

#include <algorithm>
#include <iterator>

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

namespace {

const char* const kTopicWords[] = {"Ratio", "Seeding", "Client", "Tracker", "Port", "Release", "Encode", "Subtitles",
                                   "Request", "Question", "Help", "Update"};
const char* const kPosters[] = {"trinity", "morpheus", "tank_op", "seedbox42", "Zo&euml;"};

QString topicTitle(int topic)
{
    return QStringLiteral("%1 and %2 (thread %3)")
        .arg(QLatin1String(kTopicWords[topic % 12]), QString::fromLatin1(kTopicWords[(topic / 12 + 5) % 12]).toLower())
        .arg(topic);
}

// The pages below the index share the desktop board's head, a path back to the index and a
// house advertisement in a frame served by the web host (a frame from another host).
QString boardDocument(const DemoSiteContext& site, const QString& title, const QString& path, const QString& body)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\" />\n<title>%1 - Tarnvale Forum</title>\n"
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"/styles/board.css\" />\n</head>\n<body>\n"
               "<div id=\"header\"><a href=\"/\">Forum index</a> &raquo; %2</div>\n%3"
               "<iframe src=\"http://%4/ads/box.html?zone=forum\" width=\"300\" height=\"60\" frameborder=\"0\" "
               "scrolling=\"no\"></iframe>\n"
               "<div id=\"footer\"><a href=\"http://%4/\">Back to Tarnvale</a></div>\n</body>\n</html>\n")
        .arg(title, path, body, site.webHost);
}

} // namespace

QString DemoForum::boardPage(const DemoSiteContext& site, int board, int start)
{
    if (board < 1 || board > int(std::size(kBoards)))
        return QString();
    const Board& b = kBoards[board - 1];
    const int first = std::max(0, start);
    QString rows;
    for (int i = first; i < std::min(first + kTopicsPerPage, b.topics); ++i) {
        const int topic = board * 100000 + i;
        rows += QStringLiteral("<tr><td class=\"topic\"><a href=\"/viewtopic.php?t=%1\">%2</a></td><td class=\"num\">%3</td>"
                               "<td>%4</td></tr>\n")
                    .arg(QString::number(topic), topicTitle(topic), QString::number(1 + (topic * 7) % 40),
                         QLatin1String(kPosters[topic % 5]));
    }
    QString pages;
    if (first > 0)
        pages += QStringLiteral("<a href=\"/viewforum.php?f=%1&amp;start=%2\">Previous page</a> ")
                     .arg(board)
                     .arg(std::max(0, first - kTopicsPerPage));
    pages += QStringLiteral("Page %1 of %2").arg(first / kTopicsPerPage + 1).arg((b.topics + kTopicsPerPage - 1) / kTopicsPerPage);
    if (first + kTopicsPerPage < b.topics)
        pages += QStringLiteral(" <a href=\"/viewforum.php?f=%1&amp;start=%2\">Next page</a>").arg(board).arg(first + kTopicsPerPage);
    const QString body = QStringLiteral("<h1>%1</h1>\n<p class=\"pages\">%2</p>\n"
                                        "<table class=\"topics\" width=\"100%\" cellspacing=\"1\">\n"
                                        "<tr><th>Topic</th><th>Replies</th><th>Started by</th></tr>\n%3</table>\n"
                                        "<p class=\"pages\">%2</p>\n")
                             .arg(QLatin1String(b.name), pages, rows);
    return boardDocument(site, QLatin1String(b.name), QLatin1String(b.name), body);
}

QString DemoForum::topicPage(const DemoSiteContext& site, int topic)
{
    const int board = topic / 100000;
    if (board < 1 || board > int(std::size(kBoards)))
        return QString();
    QString posts;
    for (int i = 0; i < 1 + (topic * 7) % 5; ++i) {
        posts += QStringLiteral("<div class=\"post\"><div class=\"author\">%1</div><div class=\"body\">%2</div></div>\n")
                     .arg(QLatin1String(kPosters[(topic + i) % 5]),
                          i == 0 ? QStringLiteral("Has anyone else seen this? %1.").arg(topicTitle(topic))
                                 : QStringLiteral("Same here, reply %1.").arg(i));
    }
    const QString path = QStringLiteral("<a href=\"/viewforum.php?f=%1\">%2</a>")
                             .arg(QString::number(board), QLatin1String(kBoards[board - 1].name));
    return boardDocument(site, topicTitle(topic), path,
                         QStringLiteral("<h1>%1</h1>\n%2").arg(topicTitle(topic), posts));
}

void DemoForum::install(httplib::Server& forum, const DemoSiteContext& site)
{
    auto number = [](const httplib::Request& req, const char* name) {
        return req.has_param(name) ? std::atoi(req.get_param_value(name).c_str()) : 0;
    };
    forum.Get("/viewforum.php", [site, number](const httplib::Request& req, httplib::Response& res) {
        const QString page = boardPage(site, number(req, "f"), number(req, "start"));
        DemoMemberFrame::sendHtml(res, page.isNull() ? QStringLiteral("<html><body>No such forum.</body></html>") : page,
                                  page.isNull() ? 404 : 200);
    });
    forum.Get("/viewtopic.php", [site, number](const httplib::Request& req, httplib::Response& res) {
        const QString page = topicPage(site, number(req, "t"));
        DemoMemberFrame::sendHtml(res, page.isNull() ? QStringLiteral("<html><body>No such topic.</body></html>") : page,
                                  page.isNull() ? 404 : 200);
    });
    forum.Get(R"(/styles/(board|mobile)\.css)", [](const httplib::Request& req, httplib::Response& res) {
        const bool mobile = req.matches[1].str() == "mobile";
        res.set_content(mobile ? "body{font-family:sans-serif;margin:8px;background:#f4f1ea}h1{font-size:20px;color:#3b5998}"
                                 "ul.boards{list-style:none;padding:0}ul.boards li{background:#fff;margin:4px 0;padding:10px;"
                                 "border-radius:6px;font-size:17px}ul.boards a{text-decoration:none;color:#222}"
                                 ".count{float:right;color:#888}.switch{font-size:13px}"
                               : "body{font-family:Verdana,sans-serif;font-size:12px;background:#e9e4d8;margin:10px}"
                                 "#header,#footer{padding:6px;background:#3b5998;color:#fff}#header a,#footer a{color:#fff}"
                                 "table{background:#c9c1ad}th{background:#5c6f94;color:#fff;padding:4px}td{background:#fff;padding:6px}"
                                 ".num{text-align:center}.desc{color:#666;font-size:11px}.post{background:#fff;margin:6px 0;padding:6px}"
                                 ".author{font-weight:bold;color:#3b5998}.pages{margin:6px 0}",
                        "text/css");
    });
    forum.Get("/", [site](const httplib::Request& req, httplib::Response& res) {
        const bool phone = req.get_header_value("User-Agent").find("iPhone") != std::string::npos;
        DemoMemberFrame::sendHtml(res, frontPage(site, phone));
    });
}
