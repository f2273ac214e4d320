// Memory that grows with use, against the demo site on loopback: the recent list paged
// through 40 more pages (2,000 rows) after its first, and 50 details screens opened (their
// page loaded) and closed. Counters: the whole process tree's PSS (web engine processes
// included) before and after, in MB, and the growth per page or per details screen; a closed
// details screen must have given its web view back (web_views_left stays 0).
#include "DemoAccounts.h"
#include "DemoSite.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "screens/common/AllListViewController.h"
#include "screens/common/WebViewController.h"
#include "site/SiteHosts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

constexpr int kMorePages = 40;
constexpr int kDetailsScreens = 50;
constexpr int kWarmUpScreens = 5;

// PSS of this process and all its descendants (the web engine's helpers), in MB.
double treePssMb()
{
    std::function<double(const QString&)> pss = [&](const QString& pid) {
        double kb = 0;
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : rollup.readAll().split('\n')) {
                if (line.startsWith("Pss:"))
                    kb += line.mid(4).trimmed().split(' ').value(0).toDouble();
            }
        }
        // Children of every thread of the process.
        for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(pid, task));
            if (children.open(QIODevice::ReadOnly)) {
                for (const QByteArray& child : children.readAll().split(' ')) {
                    if (!child.trimmed().isEmpty())
                        kb += pss(QString::fromLatin1(child.trimmed()));
                }
            }
        }
        return kb;
    };
    return pss(QString::number(QCoreApplication::applicationPid())) / 1024.0;
}

// Runs the event loop until the condition holds (deleted objects are deleted on the way);
// false after a minute.
bool waitFor(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(60000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

struct Fixture
{
    QTemporaryDir dir;
    DemoSite site;
    Window window;
    AllListViewController* list = nullptr;
    NavigationController* navigation = nullptr;

    bool start(benchmark::State& state)
    {
        SettingsStore::setStandardPath(dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        if (!site.start(&error)) {
            state.SkipWithError(qPrintable(error));
            return false;
        }
        site.accounts().setSessionRequired(false);
        SiteHosts::setWebHost(site.webHost());
        list = new AllListViewController(TableViewStyle::Plain);
        navigation = new NavigationController;
        navigation->pushViewController(list, false);
        window.addSubview(navigation->view());
        window.makeKeyAndVisible();
        if (!waitFor([this] { return list->torrentData() && !list->torrentData()->isEmpty(); })) {
            state.SkipWithError("the first page did not come");
            return false;
        }
        return true;
    }

    bool nextPage()
    {
        const qsizetype before = list->torrentData()->size();
        list->didSelectRowAtIndexPath(list->tableView(), IndexPath::forRow(int(before)));
        return waitFor([&] { return list->torrentData()->size() > before; });
    }
};

void BM_PagingMemory(benchmark::State& state)
{
    for (auto _ : state) {
        Fixture f;
        if (!f.start(state))
            return;
        const double before = treePssMb();
        const qsizetype rowsBefore = f.list->torrentData()->size();
        for (int i = 0; i < kMorePages; ++i) {
            if (!f.nextPage()) {
                state.SkipWithError("a page did not come");
                return;
            }
        }
        const double after = treePssMb();
        state.counters["pss_before_MB"] = before;
        state.counters["pss_after_MB"] = after;
        state.counters["rows_added"] = double(f.list->torrentData()->size() - rowsBefore);
        state.counters["MB_per_page"] = (after - before) / kMorePages;
    }
}
BENCHMARK(BM_PagingMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Opens the details screen of a row, waits for its page, closes it and waits until the
// screen is gone; the web view it had is reported through `webView`.
bool openAndClose(Fixture& f, int row, QPointer<WebView>& webView)
{
    f.list->didSelectRowAtIndexPath(f.list->tableView(), IndexPath::forRow(row));
    QPointer<WebViewController> details;
    if (!waitFor([&] {
            details = dynamic_cast<WebViewController*>(f.navigation->topViewController());
            return details && details->myWebView() && !details->myWebView()->isLoading();
        }))
        return false;
    webView = details->myWebView();
    f.navigation->popViewControllerAnimated(false);
    return waitFor([&] { return f.navigation->topViewController() == f.list && !details; });
}

void BM_DetailsMemory(benchmark::State& state)
{
    for (auto _ : state) {
        Fixture f;
        if (!f.start(state))
            return;
        QList<QPointer<WebView>> webViews;
        const int rows = int(f.list->torrentData()->size());
        // The first screens start the web engine and fill its caches: not growth.
        for (int i = 0; i < kWarmUpScreens; ++i) {
            QPointer<WebView> view;
            if (!openAndClose(f, i % rows, view)) {
                state.SkipWithError("a details screen did not load or close");
                return;
            }
        }
        const double before = treePssMb();
        for (int i = 0; i < kDetailsScreens; ++i) {
            QPointer<WebView> view;
            if (!openAndClose(f, (kWarmUpScreens + i) % rows, view)) {
                state.SkipWithError("a details screen did not load or close");
                return;
            }
            webViews.append(view);
        }
        waitFor([&] { return std::all_of(webViews.cbegin(), webViews.cend(), [](const auto& v) { return !v; }); });
        const double after = treePssMb();
        state.counters["pss_before_MB"] = before;
        state.counters["pss_after_MB"] = after;
        state.counters["MB_per_screen"] = (after - before) / kDetailsScreens;
        state.counters["web_views_left"] =
            double(std::count_if(webViews.cbegin(), webViews.cend(), [](const auto& v) { return !v.isNull(); }));
    }
}
BENCHMARK(BM_DetailsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

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
