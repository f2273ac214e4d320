// The Downloads screen with 500 torrents: reading the client's answer (Transmission's
// torrent-get), sorting it newest first, taking it into the table and drawing the screen, as
// every two-second refresh does. Target: 20 ms in all.
#include "platform/ui/TableView.h"
#include "remote/RemoteTorrentReader.h"
#include "screens/remote/DownloadsViewController.h"

#include <QApplication>
#include <QImage>
#include <QJsonDocument>

#include <benchmark/benchmark.h>

namespace {

QByteArray answer(int count)
{
    QJsonArray torrents;
    for (int i = 0; i < count; ++i) {
        torrents.append(QJsonObject{
            {QStringLiteral("hashString"), QStringLiteral("%1").arg(i, 40, 16, QLatin1Char('0'))},
            {QStringLiteral("name"), QStringLiteral("Open movie number %1 - 1080p BluRay x264 with a long name").arg(i)},
            {QStringLiteral("percentDone"), (i % 100) / 100.0},
            {QStringLiteral("status"), i % 7},
            {QStringLiteral("error"), 0},
            {QStringLiteral("isStalled"), i % 5 == 0},
            {QStringLiteral("rateDownload"), i * 1234},
            {QStringLiteral("rateUpload"), i * 321},
            {QStringLiteral("sizeWhenDone"), qint64(i) * 7340032},
            {QStringLiteral("eta"), i * 17},
            {QStringLiteral("addedDate"), 1700000000 + i * 37 % 1000},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("torrents"), torrents}}).toJson(QJsonDocument::Compact);
}

void BM_RefreshFiveHundred(benchmark::State& state)
{
    const QByteArray body = answer(500);
    DownloadsViewController screen;
    screen.view()->resize(320, 431);
    screen.view()->show();
    QImage frame(screen.view()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        RemoteTorrentsReply reply;
        QList<RemoteTorrent> torrents = RemoteTorrentReader::fromTransmission(
            QJsonDocument::fromJson(body).object().value(QLatin1String("torrents")).toArray());
        RemoteTorrent::sortByAdded(torrents);
        reply.torrents = std::move(torrents);
        screen.loadedTorrents(std::move(reply));
        screen.view()->render(&frame);
    }
    benchmark::DoNotOptimize(frame.bits());
    state.counters["rows"] = double(screen.torrents().size());
}
BENCHMARK(BM_RefreshFiveHundred)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
