// The favourites list's batch of pages against the demo site on loopback, each page answered
// L = 200 ms late: the wall time from queueing a batch of 10 pages to the last of them shown,
// in units of L (counter batch_L; target at most 1.3), beside the same 10 pages asked for one
// after the other, each once the one before has been shown (counter serial_L; about 10).
#include "DemoAccounts.h"
#include "DemoSite.h"

#include "platform/core/SettingsStore.h"
#include "screens/favourites/FavoriteListViewController.h"
#include "settings/Settings.h"
#include "site/SiteHosts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kLatencyMs = 200;
constexpr int kPages = 10;

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

void BM_FavoritesBatchOfTen(benchmark::State& state)
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
    SiteHosts::setWebHost(site.webHost());
    site.setLatency(kLatencyMs);

    FavoriteListViewController screen;
    screen.view()->resize(320, 431);
    // Once, untimed: what the first exchange of a run starts (worker threads, the HTTP
    // library's set-up) is not a cost of each batch.
    int startPage = 1;
    secondsFor(screen, kPages, startPage, false, state);
    startPage += kPages;
    double batchSeconds = 0;
    double serialSeconds = 0;
    for (auto _ : state) {
        const double batch = secondsFor(screen, kPages, startPage, false, state);
        state.SetIterationTime(batch);
        batchSeconds += batch;
        serialSeconds += secondsFor(screen, kPages, startPage, true, state);
        // Pages further on each time, so nothing is answered from what an earlier round left.
        startPage += kPages;
    }
    const double latency = kLatencyMs / 1000.0;
    const double rounds = double(state.iterations());
    state.counters["batch_L"] = batchSeconds / rounds / latency;
    state.counters["serial_L"] = serialSeconds / rounds / latency;
    state.counters["rows"] = screen.torrentData() ? double(screen.torrentData()->size()) : 0;
    site.stop();
}
BENCHMARK(BM_FavoritesBatchOfTen)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

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
