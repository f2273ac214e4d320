// Reading a listing page of 50 torrent rows, alone and with 1,000 table rows that hold no
// torrent after or before the torrent rows (navigation, footer). Target: the extra rows cost
// at most 3 times the plain page.

#include "site/HttpRequestRegExTorrent.h"
#include "util/Regex.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

QString torrentRows(int count)
{
    QString rows;
    for (int i = 0; i < count; ++i) {
        rows += QStringLiteral(
                    "<tr>\n"
                    "<td class=\"cat\"><a href=\"/files/?category=4\"><img src=\"http://static.example/images/cats/movies.gif\" alt=\"Movies\" /></a></td>\n"
                    "<td class=\"name\"><a href=\"/torrent/%1/Some.Film.%1\">Some Film %1 &amp; Friends</a></td>\n"
                    "<td class=\"sub\">&nbsp;<a href=\"/files/?category=4&amp;sub=12\">Drama &amp; Romance</a></td>\n"
                    "<td class=\"dl\"><a href=\"/files/download/%1/Some Film %1.torrent\"><img src=\"/images/download.png\" alt=\"Download\" /></a></td>\n"
                    "<td class=\"size\">1,%1.5 MB</td>\n"
                    "<td class=\"files\">12</td>\n"
                    "<td class=\"snatched\">310</td>\n"
                    "<td class=\"green\">%1</td>\n"
                    "<td class=\"red\">4</td>\n"
                    "</tr>\n")
                    .arg(1000 + i);
    }
    return rows;
}

QString plainRows(int count)
{
    QString rows = QStringLiteral("<table class=\"links\">\n");
    for (int i = 0; i < count; ++i)
        rows += QStringLiteral("<tr>\n<td class=\"l\"><a href=\"/page%1.php\">Page %1</a></td>\n"
                               "<td class=\"r\">%1 KB</td>\n</tr>\n")
                    .arg(i);
    return rows + QStringLiteral("</table>\n");
}

QString page(int before, int after)
{
    return QStringLiteral("<html><head><title>Tarnvale</title></head><body>\n") + plainRows(before)
           + QStringLiteral("<table class=\"torrents\">\n") + torrentRows(50) + QStringLiteral("</table>\n")
           + plainRows(after) + QStringLiteral("</body></html>\n");
}

void run(benchmark::State& state, const QString& text)
{
    const QStringList history{QStringLiteral("Some Film 1010 & Friends")};
    const qsizetype rows = HttpRequestRegExTorrent::parseTorrents(text, history).size();
    if (rows != 50) {
        state.SkipWithError("the page did not give 50 torrents");
        return;
    }
    for (auto _ : state) {
        QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(text, history);
        benchmark::DoNotOptimize(torrents.data());
    }
    // Seconds per page, shown in microseconds by the console (kInvert of a rate).
    state.counters["page"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate
                                                       | benchmark::Counter::kInvert);
}

void BM_Listing50(benchmark::State& state) { run(state, page(0, 0)); }
void BM_Listing50_1000After(benchmark::State& state) { run(state, page(0, 1000)); }
void BM_Listing50_1000Before(benchmark::State& state) { run(state, page(1000, 0)); }

// For comparison: the row pattern over the whole page, without the bound on where matches
// may end, with 40 rows after the torrents.
void BM_ListingUnbounded50_40After(benchmark::State& state)
{
    const QString text = page(0, 40);
    for (auto _ : state) {
        QList<QStringList> matches = Regex::allMatches(HttpRequestRegExTorrent::kRowPattern, text);
        benchmark::DoNotOptimize(matches.data());
    }
}

BENCHMARK(BM_Listing50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Listing50_1000After)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Listing50_1000Before)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListingUnbounded50_40After)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU time per page for the ratio line (the machine may be shared).
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                microseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> microseconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& us = reporter.microseconds;
    const auto plain = us.find("BM_Listing50");
    const auto after = us.find("BM_Listing50_1000After");
    const auto before = us.find("BM_Listing50_1000Before");
    if (plain != us.end() && after != us.end() && before != us.end() && plain->second > 0)
        std::printf("ratio to the plain page (target <= 3): 1000 rows after %.2fx, 1000 rows before %.2fx\n",
                    after->second / plain->second, before->second / plain->second);
    benchmark::Shutdown();
    return 0;
}
