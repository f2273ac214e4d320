// Loading the interface layouts: each form is read from the resources and built into widgets
// at run time, so a screen or a list row that loads one pays for the form's parsing each
// time. One benchmark per form; the torrent lists load "LoadMoreItem" for every further page
// and "HeaderView" for every list.
#include "platform/ui/InterfaceLayout.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
void BM_LoadLayout(benchmark::State& state, const char* name)
{
    const QString layout = QString::fromLatin1(name);
    for (auto _ : state) {
        std::unique_ptr<QWidget> root(InterfaceLayout::load(layout));
        benchmark::DoNotOptimize(root.get());
    }
}
} // namespace

BENCHMARK_CAPTURE(BM_LoadLayout, LoadMoreItem, "LoadMoreItem")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadLayout, HeaderView, "HeaderView")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadLayout, LoginView, "LoginView")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadLayout, ServerSettings, "ServerSettings")->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    delete InterfaceLayout::load(QStringLiteral("LoadMoreItem")); // the loader's first start before timing
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
