// The details page cleaner and the friends parser on small and large pages: a details page
// of about 10 KB and 300 KB (comments make it long), with and without the details table's
// comment form (without it the page cannot match and is shown whole); a friends page of 50
// and 500 friends followed by as many unrelated pictures. Cost should grow linearly: the
// large/small ratio near the size ratio (30 for details, 10 for friends).

#include "site/HttpRequestRegExDetails.h"
#include "site/HttpRequestRegExFriends.h"
#include "util/Regex.h"

#include <benchmark/benchmark.h>

namespace {

const QString kFilmHost = QStringLiteral("www.filmdatabase.example");

QString comment(int i)
{
    return QStringLiteral("<tr><td colspan=\"2\"><table class=\"comment\" width=\"100%\" border=\"0\"><tr>"
                          "<td class=\"comment_head\"><b>member%1</b> wrote %2 days ago:</td></tr>"
                          "<tr><td class=\"comment_body\">Thanks for the upload, seeding for a while. Picture and "
                          "sound are fine, %1 of %2 checked &mdash; <a href=\"/users/%1\">profile</a></td></tr>"
                          "</table></td></tr>\n")
        .arg(i)
        .arg(i % 40 + 1);
}

// A details page of about the given size in bytes.
QString detailsPage(int bytes, bool withForm)
{
    QString comments;
    for (int i = 0; comments.size() < bytes - 3000; ++i)
        comments += comment(i);
    return QStringLiteral(
               "<html>\n<head>\n<title>Details for Some Film - Tarnvale</title>\n"
               "<link rel=\"stylesheet\" href=\"/css/site.css\" />\n</head>\n<body>\n"
               "<table class=\"top\"><tr><td><a href=\"/\">Tarnvale</a></td></tr></table>\n"
               "<iframe src=\"http://ads.example/top\"></iframe>\n"
               "<table class=\"mainouter\"><tr><td>\n"
               "<table class=\"details\"><tr><td colspan=\"2\"><h1>Details for Some Film</h1></td></tr>\n"
               "<tr><td>Film database</td><td><a href=\"http://www.filmdatabase.example/title/tt0133093/\">link</a>"
               "</td></tr>\n<tr><td>Sponsored</td><td><span class=\"s\">Sponsored links</span>"
               "<iframe src=\"http://ads.example/text\"></iframe></td></tr>\n")
           + comments
           + (withForm ? QStringLiteral("<tr><td colspan=\"2\"><form action=\"/comment.php\"><textarea></textarea>"
                                        "<input type=\"submit\" value=\"Submit comment\" /></form></td></tr>\n")
                       : QString())
           + QStringLiteral("</table>\n</td></tr></table>\n"
                            "<table class=\"footer\"><tr><td>&copy; Tarnvale</td></tr></table>\n</body>\n</html>\n");
}

QString friendsPage(int count)
{
    QString page = QStringLiteral("<html><head><title>Friends</title></head><body>\n<table class=\"main\"><tr><td>\n");
    for (int i = 0; i < count; ++i) {
        page += QStringLiteral(
                    "<div><table class=\"main\"><tr valign=\"top\">\n"
                    "<td class=\"embedded\"><img width=\"100\" alt=\"\" src=\"/pic/avatars/%1.png\"></td>\n"
                    "<td class=\"embedded\"><a href=/users/?id=%1><b>member%1</b></a> (Power User)<br><br>"
                    "last seen 2011-02-03 21:14:09 (%2 hours ago)<br>\n"
                    "<a href=/friends.php?id=1&action=delete&type=friend&targetid=%1>Remove</a></td></tr></table></div>\n")
                    .arg(i + 10)
                    .arg(i % 50);
    }
    page += QStringLiteral("</td></tr></table>\n");
    for (int i = 0; i < count; ++i)
        page += QStringLiteral("<p class=\"gallery\"><img class=\"thumb\" alt=\"\" src=\"/pic/gallery/%1.jpg\"><br>\n").arg(i);
    return page + QStringLiteral("</body></html>\n");
}

void details(benchmark::State& state, int bytes, bool withForm)
{
    const QString page = detailsPage(bytes, withForm);
    QString imdb;
    const QString cleaned = HttpRequestRegExDetails::cleanPage(page, kFilmHost, &imdb);
    if (withForm != !imdb.isEmpty() || (cleaned == page) == withForm) {
        state.SkipWithError("unexpected cleaning result");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(HttpRequestRegExDetails::cleanPage(page, kFilmHost, &imdb));
    state.counters["page_KB"] = double(page.size()) / 1024.0;
}

// The pattern straight on a page without the comment form, as the cleaner would run it
// without its checks: how long before the match gives up (or the time limit stops it).
void detailsRawNoMatch(benchmark::State& state, int bytes)
{
    const QString page = detailsPage(bytes, false);
    bool timedOut = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(Regex::firstMatch(HttpRequestRegExDetails::kPagePattern, page, -1, &timedOut));
    state.counters["timed_out"] = timedOut;
}

void friends(benchmark::State& state, int count)
{
    const QString page = friendsPage(count);
    const QString root = QStringLiteral("http://www.tarnvale.org/");
    if (HttpRequestRegExFriends::parseFriends(page, root).size() != count) {
        state.SkipWithError("wrong number of friends");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(HttpRequestRegExFriends::parseFriends(page, root));
    state.counters["page_KB"] = double(page.size()) / 1024.0;
}

// The same page through the pattern without the cleaner's bound.
void friendsUnbounded(benchmark::State& state, int count)
{
    const QString page = friendsPage(count);
    for (auto _ : state)
        benchmark::DoNotOptimize(Regex::allMatches(HttpRequestRegExFriends::kEntryPattern, page));
}

} // namespace

BENCHMARK_CAPTURE(details, match_10KB, 10 * 1024, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(details, match_300KB, 300 * 1024, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(details, no_match_10KB, 10 * 1024, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(details, no_match_300KB, 300 * 1024, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(detailsRawNoMatch, raw_10KB, 10 * 1024)->Unit(benchmark::kMicrosecond)->Iterations(1);
BENCHMARK_CAPTURE(friends, f50, 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(friends, f500, 500)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(friendsUnbounded, f50, 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(friendsUnbounded, f500, 500)->Unit(benchmark::kMicrosecond)->Iterations(3);

BENCHMARK_MAIN();
