// Drawing torrent rows: the hand-drawn row (one widget, one pass) against the same row built
// from one label widget per text and one image view per picture, and against the same pass
// with every text laid out and every picture scaled on each paint (the row before its caches
// of laid-out lines and scaled pictures). Each iteration draws 1,000 rows into an off-screen
// image; "row" reports the time per row.
#include "platform/ui/Bundle.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "views/FlatTableViewCellView.h"
#include "views/TorrentItemTableViewCell.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {
constexpr int kRows = 1000;
constexpr int kRowHeight = 37;
constexpr int kScreenRows = 12;  // the image holds one screen of rows; rows wrap round it

struct RowData
{
    QString name, sub, size, up, down, wait;
    QImage type;
    bool downloaded;
};

const std::vector<RowData>& rows()
{
    static const std::vector<RowData> data = [] {
        const QImage pictures[] = {Bundle::imageNamed(QStringLiteral("movies.png")),
                                   Bundle::imageNamed(QStringLiteral("music.png")),
                                   Bundle::imageNamed(QStringLiteral("tv.png"))};
        std::vector<RowData> v;
        for (int i = 0; i < kRows; ++i) {
            v.push_back({QStringLiteral("Open movie number %1 - 1080p BluRay x264 with a rather long release name").arg(i),
                         QStringLiteral("Movies/HD"), QStringLiteral("%1.%2 GB").arg(i % 9).arg(i % 100),
                         QString::number(i * 37 % 5000), QString::number(i * 13 % 300),
                         i % 10 == 0 ? QStringLiteral("24h") : QString(), pictures[i % 3], i % 4 == 0});
        }
        return v;
    }();
    return data;
}

QImage screenImage()
{
    QImage image(320, kScreenRows * kRowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

void fill(TorrentItemTableViewCell& cell, const RowData& row, const QImage& up, const QImage& down,
          const QImage& downloaded)
{
    cell.setNameLbl(row.name);
    cell.setSubLbl(row.sub);
    cell.setSizeLbl(row.size);
    cell.setUpLbl(row.up);
    cell.setDownLbl(row.down);
    cell.setWaitLbl(row.wait);
    cell.setTypeImg(row.type);
    cell.setUpImg(up);
    cell.setDownImg(down);
    cell.setDownloadedImg(row.downloaded ? downloaded : QImage());
}

void reportRows(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["row"] = benchmark::Counter(double(state.iterations()) * kRows,
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The row's drawing alone: drawContentView into a painter on the image.
void BM_TorrentRowDrawPass(benchmark::State& state)
{
    TorrentItemTableViewCell cell(QRect(0, 0, 320, kRowHeight), QStringLiteral("TorrentCell"));
    const QImage up = Bundle::imageNamed(QStringLiteral("up.jpg"));
    const QImage down = Bundle::imageNamed(QStringLiteral("down.jpg"));
    const QImage downloaded = Bundle::imageNamed(QStringLiteral("downloaded.png"));
    QImage image = screenImage();
    for (auto _ : state) {
        QPainter painter(&image);
        GraphicsContext ctx(&painter);
        for (int i = 0; i < kRows; ++i) {
            fill(cell, rows()[size_t(i)], up, down, downloaded);
            painter.save();
            painter.translate(0, (i % kScreenRows) * kRowHeight);
            cell.drawContentView(QRectF(0, 0, 320, kRowHeight - 1));
            painter.restore();
        }
    }
    benchmark::DoNotOptimize(image.bits());
    reportRows(state);
}
BENCHMARK(BM_TorrentRowDrawPass)->Unit(benchmark::kMillisecond);

// The same row drawn straight through the drawing context: each text laid out (and cut) and
// each picture scaled as it is drawn, as the row did before it kept them.
void drawUncached(TorrentItemTableViewCell& cell)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const auto& f = TorrentItemTableViewCell::fonts();
    ctx->setFillColor(FlatTableViewCell::rowBackgroundColor());
    ctx->fillRect(QRectF(0, 0, 320, kRowHeight - 1));
    ctx->setFillColor(FlatTableViewCell::rowTextColor());
    ctx->drawImage(QRectF(0, 0, 33, 33), cell.typeImg());
    ctx->drawImage(QRectF(234, 20, 10, 10), cell.upImg());
    ctx->drawImage(QRectF(271, 20, 10, 10), cell.downImg());
    ctx->drawImage(QRectF(48, 15, 24, 19), cell.downloadedImg());
    ctx->drawText(cell.waitLbl(), QPointF(10, 40), 30, f.small, LineBreakMode::WordWrap);
    ctx->drawText(cell.nameLbl(), QPointF(40, 5), 230, f.bold, LineBreakMode::TailTruncation);
    ctx->drawText(cell.subLbl(), QPointF(40, 20), 110, f.small, LineBreakMode::TailTruncation);
    ctx->drawText(cell.sizeLbl(), QPointF(160, 20), f.small);
    for (const auto& [text, x] : {std::pair{cell.upLbl(), 234.0}, std::pair{cell.downLbl(), 271.0}}) {
        if (!text.isEmpty())
            ctx->drawText(text, QPointF(x - GraphicsContext::sizeWithFont(text, f.small).width() - 4, 20), f.small);
    }
    if (!cell.waitLbl().isEmpty()) {
        ctx->setFillColor(Qt::red);
        ctx->drawText(cell.waitLbl(), QPointF(50, 17), 50, f.large, LineBreakMode::WordWrap);
    }
}

void BM_TorrentRowDrawPassUncached(benchmark::State& state)
{
    TorrentItemTableViewCell cell(QRect(0, 0, 320, kRowHeight), QStringLiteral("TorrentCell"));
    const QImage up = Bundle::imageNamed(QStringLiteral("up.jpg"));
    const QImage down = Bundle::imageNamed(QStringLiteral("down.jpg"));
    const QImage downloaded = Bundle::imageNamed(QStringLiteral("downloaded.png"));
    QImage image = screenImage();
    for (auto _ : state) {
        QPainter painter(&image);
        GraphicsContext ctx(&painter);
        for (int i = 0; i < kRows; ++i) {
            fill(cell, rows()[size_t(i)], up, down, downloaded);
            painter.save();
            painter.translate(0, (i % kScreenRows) * kRowHeight);
            drawUncached(cell);
            painter.restore();
        }
    }
    benchmark::DoNotOptimize(image.bits());
    reportRows(state);
}
BENCHMARK(BM_TorrentRowDrawPassUncached)->Unit(benchmark::kMillisecond);

// The hand-drawn row as a widget: Qt renders the cell and its one drawing view.
void BM_TorrentRowWidget(benchmark::State& state)
{
    TorrentItemTableViewCell cell(QRect(0, 0, 320, kRowHeight), QStringLiteral("TorrentCell"));
    const QImage up = Bundle::imageNamed(QStringLiteral("up.jpg"));
    const QImage down = Bundle::imageNamed(QStringLiteral("down.jpg"));
    const QImage downloaded = Bundle::imageNamed(QStringLiteral("downloaded.png"));
    QImage image = screenImage();
    for (auto _ : state) {
        for (int i = 0; i < kRows; ++i) {
            fill(cell, rows()[size_t(i)], up, down, downloaded);
            cell.contentView()->render(&image, QPoint(0, (i % kScreenRows) * kRowHeight));
        }
    }
    benchmark::DoNotOptimize(image.bits());
    reportRows(state);
}
BENCHMARK(BM_TorrentRowWidget)->Unit(benchmark::kMillisecond);

// The same row from one label per text and one image view per picture, at the same places.
class LabelRow : public QWidget
{
public:
    LabelRow()
    {
        resize(320, kRowHeight - 1);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(34, 34, 34));
        setPalette(p);
        const QFont bold = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12);
        const QFont large = Fonts::fontWithName(QStringLiteral("ArialRoundedMTBold"), 19);
        const QFont small = Fonts::fontWithName(QStringLiteral("Arial"), 10);
        type = image(QRect(0, 0, 33, 33));
        up = image(QRect(234, 20, 10, 10));
        down = image(QRect(271, 20, 10, 10));
        downloaded = image(QRect(48, 15, 24, 19));
        name = label(QRect(40, 5, 230, 14), bold);
        sub = label(QRect(40, 20, 110, 12), small);
        size = label(QRect(160, 20, 70, 12), small);
        upCount = label(QRect(160, 20, 70, 12), small);
        upCount->setTextAlignment(TextAlignment::Right);
        downCount = label(QRect(236, 20, 31, 12), small);
        downCount->setTextAlignment(TextAlignment::Right);
        wait = label(QRect(50, 17, 50, 22), large);
        wait->setTextColor(Qt::red);
    }

    void fill(const RowData& row, const QImage& upImg, const QImage& downImg, const QImage& downloadedImg)
    {
        name->setText(row.name);
        sub->setText(row.sub);
        size->setText(row.size);
        upCount->setText(row.up);
        downCount->setText(row.down);
        wait->setText(row.wait);
        type->setImage(row.type);
        up->setImage(upImg);
        down->setImage(downImg);
        downloaded->setImage(row.downloaded ? downloadedImg : QImage());
    }

private:
    Label* label(const QRect& frame, const QFont& font)
    {
        auto* l = new Label(this);
        l->setGeometry(frame);
        l->setFont(font);
        l->setTextColor(QColor(204, 204, 204));
        return l;
    }
    ImageView* image(const QRect& frame)
    {
        auto* v = new ImageView(this);
        v->setGeometry(frame);
        return v;
    }

    Label *name, *sub, *size, *upCount, *downCount, *wait;
    ImageView *type, *up, *down, *downloaded;
};

void BM_TorrentRowLabels(benchmark::State& state)
{
    LabelRow row;
    const QImage up = Bundle::imageNamed(QStringLiteral("up.jpg"));
    const QImage down = Bundle::imageNamed(QStringLiteral("down.jpg"));
    const QImage downloaded = Bundle::imageNamed(QStringLiteral("downloaded.png"));
    QImage image = screenImage();
    for (auto _ : state) {
        for (int i = 0; i < kRows; ++i) {
            row.fill(rows()[size_t(i)], up, down, downloaded);
            row.render(&image, QPoint(0, (i % kScreenRows) * kRowHeight));
        }
    }
    benchmark::DoNotOptimize(image.bits());
    reportRows(state);
}
BENCHMARK(BM_TorrentRowLabels)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rows();  // pictures decoded before timing
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
