// The favourites list's batch of pages against the demo site on loopback, each page answered
// L = 200 ms late: the wall time from queueing a batch of 10 pages to the last of them shown,
// in units of L (counter batch_L; target at most 1.3), beside the same 10 pages asked for one
// after the other, each once the one before has been shown (counter serial_L; about 10).
// BM_FavoritesBatchOfTenAtRtt asks the same through a link of a 50 ms round trip (a latency
// relay in front of the site): the batch against its goal of 1.3 x a single page (the median)
// plus one round trip (counter batch_over_goal; target at most 1).
#include "DemoAccounts.h"
#include "DemoSite.h"

#include "platform/core/SettingsStore.h"
#include "screens/favourites/FavoriteListViewController.h"
#include "settings/Settings.h"
#include "site/SiteHosts.h"
#include "LatencyProxy.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kLatencyMs = 200;
constexpr int kPages = 10;
constexpr int kRoundTripMs = 50;

// Runs the event loop until the screen has shown every page asked for; false when that took
// longer than a minute.
bool waitForBatch(FavoriteListViewController& screen)
{
    const QDeadlineTimer deadline(60000);
    while (screen.isBatchRunning()) {
        if (deadline.hasExpired())
            return false;
        // Each page handed over wakes the loop.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

double secondsFor(FavoriteListViewController& screen, int pages, int startPage, bool oneAfterAnother,
                  benchmark::State& state)
{
    QElapsedTimer clock;
    clock.start();
    for (int done = 0; done < pages; done += oneAfterAnother ? 1 : pages) {
        screen.fetchNextXPages(oneAfterAnother ? 1 : pages, startPage + done);
        if (!waitForBatch(screen)) {
            state.SkipWithError("the demo site did not answer in time");
            return 0;
        }
    }
    return double(clock.nsecsElapsed()) / 1e9;
}

// Times batches of 10 pages and the same pages one after another, against the demo site
// answering each page latencyMs late, reached directly or through a relay of roundTripMs.
void measureBatches(benchmark::State& state, int roundTripMs)
{
    QTemporaryDir dir;
    SettingsStore::setStandardPath(dir.filePath(QStringLiteral("settings.ini")));
    Settings::updateFilters([](QStringList& filters) { filters << QStringLiteral("Linux|BSD"); });

    DemoSite site;
    QString error;
    if (!site.start(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    site.accounts().setSessionRequired(false);
    site.setLatency(kLatencyMs);
    std::unique_ptr<LatencyProxy> link;
    if (roundTripMs > 0) {
        const QString host = site.webHost();
        link = std::make_unique<LatencyProxy>(host.section(QLatin1Char(':'), -1).toInt(), roundTripMs);
        SiteHosts::setWebHost(host.section(QLatin1Char(':'), 0, -2) + QLatin1Char(':') + QString::number(link->port()));
    } else {
        SiteHosts::setWebHost(site.webHost());
    }

    FavoriteListViewController screen;
    screen.view()->resize(320, 431);
    // Once, untimed: what the first exchange of a run starts (worker threads, the HTTP
    // library's set-up, the connections a batch keeps) is not a cost of each batch.
    int startPage = 1;
    secondsFor(screen, kPages, startPage, false, state);
    startPage += kPages;
    double batchSeconds = 0;
    double serialSeconds = 0;
    std::vector<double> pageSeconds;
    for (auto _ : state) {
        const double batch = secondsFor(screen, kPages, startPage, false, state);
        state.SetIterationTime(batch);
        batchSeconds += batch;
        for (int page = 0; page < kPages; ++page) {
            const double one = secondsFor(screen, 1, startPage + page, true, state);
            serialSeconds += one;
            pageSeconds.push_back(one);
        }
        // Pages further on each time, so nothing is answered from what an earlier round left.
        startPage += kPages;
    }
    const double latency = kLatencyMs / 1000.0;
    const double rounds = double(state.iterations());
    state.counters["batch_L"] = batchSeconds / rounds / latency;
    state.counters["serial_L"] = serialSeconds / rounds / latency;
    state.counters["rows"] = screen.torrentData() ? double(screen.torrentData()->size()) : 0;
    if (link && !pageSeconds.empty()) {
        // The goal is taken from the median single page, not the slowest: one page the machine
        // held up would make it lenient.
        std::sort(pageSeconds.begin(), pageSeconds.end());
        const double page = pageSeconds[pageSeconds.size() / 2];
        const double goal = 1.3 * page + roundTripMs / 1000.0;
        state.counters["page_ms"] = page * 1000.0;
        state.counters["slowest_page_ms"] = pageSeconds.back() * 1000.0;
        state.counters["batch_over_goal"] = batchSeconds / rounds / goal;
        state.counters["connections"] = link->connectionCount();
    }
    link.reset();
    site.stop();
}

void BM_FavoritesBatchOfTen(benchmark::State& state)
{
    measureBatches(state, 0);
}

void BM_FavoritesBatchOfTenAtRtt(benchmark::State& state)
{
    measureBatches(state, kRoundTripMs);
}

BENCHMARK(BM_FavoritesBatchOfTen)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FavoritesBatchOfTenAtRtt)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
