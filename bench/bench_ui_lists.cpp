// The recent torrents screen with real rows: scrolling a list of 1,000 rows (the time of one
// full-screen repaint while the list moves, rows drawn by their cells, pictures from the
// screen's cache; target under 4 ms, a quarter of a 60 Hz frame), and taking a delivered page
// of 50 rows into the table on page 1 against page 20 (it must not grow with the rows shown).
#include "platform/ui/TableView.h"
#include "screens/common/AllListViewController.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPageSize = 50;
const QString kPictures[] = {QStringLiteral("movies.png"), QStringLiteral("music.png"), QStringLiteral("tv.png"),
                             QStringLiteral("games.png"), QStringLiteral("apps.png")};

QList<Torrent> page(int number)
{
    QList<Torrent> rows;
    for (int i = 0; i < kPageSize; ++i) {
        const int n = number * kPageSize + i;
        Torrent t;
        t.setName(QStringLiteral("Open movie number %1 - 1080p BluRay x264 with a rather long release name").arg(n));
        t.setType(kPictures[n % 5]);
        t.setSubType(QStringLiteral("HD 1080p"));
        t.setSize(QStringLiteral("%1.%2 GB").arg(n % 9).arg(n % 100));
        t.setUp(QString::number(n * 37 % 5000));
        t.setDown(QString::number(n * 13 % 300));
        t.setDetailsUrl(QStringLiteral("/torrent/%1/x").arg(n));
        t.setDownloadUrl(QStringLiteral("/files/download/%1/x.torrent").arg(n));
        t.setIsDownloaded(n % 7 == 0);
        rows.append(t);
    }
    return rows;
}

// The screen as a list delivers to it, without the site: pages go straight to loadedTorrents.
class BenchList : public AllListViewController
{
public:
    void fetchPage(int) override {}
    void showPages(int count)
    {
        m_torrentData.reset();
        for (int p = 0; p < count; ++p)
            loadedTorrents(page(p));
    }
};

void BM_ScrollFrame(benchmark::State& state)
{
    BenchList list;
    list.view()->resize(320, 431);
    list.view()->show();
    list.showPages(20); // 1,000 rows
    TableView* table = list.tableView();
    QImage frame(table->size(), QImage::Format_ARGB32_Premultiplied);
    const double bottom = 1000 * AllListViewController::kRowHeight - table->height();
    double y = 0;
    for (auto _ : state) {
        // A flick's step: a few rows further each frame, round the list.
        y += 53;
        if (y > bottom)
            y = 0;
        table->setContentOffset(QPointF(0, y));
        table->render(&frame);
    }
    benchmark::DoNotOptimize(frame.bits());
    state.counters["rows"] = double(table->numberOfRowsInSection(0));
}
BENCHMARK(BM_ScrollFrame)->Unit(benchmark::kMicrosecond);

// The time to take page N + 1 when N pages already show (1 and 20 in the report).
void BM_AppendPage(benchmark::State& state)
{
    const int shown = int(state.range(0));
    BenchList list;
    list.view()->resize(320, 431);
    list.view()->show();
    const QList<Torrent> next = page(shown);
    for (auto _ : state) {
        state.PauseTiming();
        list.showPages(shown);
        state.ResumeTiming();
        list.loadedTorrents(next);
    }
    state.counters["page"] = shown + 1;
}
BENCHMARK(BM_AppendPage)->Arg(0)->Arg(19)->Unit(benchmark::kMicrosecond);

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
