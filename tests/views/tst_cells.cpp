// Hand-drawn list rows rendered offscreen: where texts end (ellipsis at 230 points, counts 4
// points left of their arrows), the highlighted look, and nothing drawn for absent fields.
#include "platform/ui/Device.h"
#include "platform/ui/GraphicsContext.h"
#include "views/FlatTableViewCellView.h"
#include "views/FriendItemTableViewCell.h"
#include "views/TorrentItemTableViewCell.h"
#include "views/TorrentSnatchItemTableViewCell.h"

#include <QTest>

#include <memory>

namespace {
const QRgb kBackground = qRgb(34, 34, 34);
const QString kLongName = QStringLiteral(
    "Some.Very.Long.Torrent.Name.With.Many.Parts.2012.1080p.BluRay.x264.DTS-GROUP and more");

std::unique_ptr<FlatTableViewCell> makeCell(const QString& kind, int width = 320)
{
    const QRect frame(0, 0, width, 37);
    std::unique_ptr<FlatTableViewCell> cell;
    if (kind == QLatin1String("torrent"))
        cell = std::make_unique<TorrentItemTableViewCell>(frame, QStringLiteral("TorrentCell"));
    else if (kind == QLatin1String("snatch"))
        cell = std::make_unique<TorrentSnatchItemTableViewCell>(frame, QStringLiteral("TorrentCell"));
    else
        cell = std::make_unique<FriendItemTableViewCell>(frame, QStringLiteral("FriendCell"));
    cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
    return cell;
}

QImage solid(QColor color, QSize size = QSize(16, 16))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// The rightmost column within the rows whose pixel differs from the background, or -1.
int rightmostInk(const QImage& image, int top, int bottom, QRgb background = kBackground)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = top; y < bottom; ++y)
            if (image.pixel(x, y) != background)
                return x;
    return -1;
}
} // namespace

class TestCells : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contentViewIsOnePointLower();
    void longNameEllipsis_data();
    void longNameEllipsis();
    void countsEndLeftOfArrows_data();
    void countsEndLeftOfArrows();
    void highlighted_data();
    void highlighted();
    void absentFieldsDrawNothing_data();
    void absentFieldsDrawNothing();
    void waitTimeInRed();
};

void TestCells::contentViewIsOnePointLower()
{
    auto cell = makeCell(QStringLiteral("torrent"));
    QCOMPARE(cell->contentView()->geometry(), QRect(0, 0, 320, 36));
    cell->setFrame(QRect(0, 0, 480, 37));
    QCOMPARE(cell->contentView()->geometry(), QRect(0, 0, 480, 36));
    QVERIFY(cell->contentView()->testAttribute(Qt::WA_OpaquePaintEvent));
}

void TestCells::longNameEllipsis_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("textX");
    QTest::addColumn<int>("width");
    QTest::newRow("torrent") << QStringLiteral("torrent") << 40 << 230;
    QTest::newRow("friend") << QStringLiteral("friend") << 50 << 240;
    QTest::newRow("snatch: screen width") << QStringLiteral("snatch") << 0 << 320;
}

void TestCells::longNameEllipsis()
{
    QFETCH(QString, kind);
    QFETCH(int, textX);
    QFETCH(int, width);
    auto cell = makeCell(kind, 800);
    if (auto* t = qobject_cast<TorrentItemTableViewCell*>(cell.get()))
        t->setNameLbl(kLongName);
    else if (auto* s = qobject_cast<TorrentSnatchItemTableViewCell*>(cell.get()))
        s->setNameLbl(kLongName);
    else
        static_cast<FriendItemTableViewCell*>(cell.get())->setNameLbl(kLongName);
    const QImage image = cell->contentView()->grab().toImage();
    const int right = rightmostInk(image, 5, 19);
    QVERIFY2(right < textX + width && right > textX + width - 20, qPrintable(QString::number(right)));
    const QFont bold = TorrentItemTableViewCell::fonts().bold;
    QVERIFY(GraphicsContext::fitLine(kLongName, bold, width, LineBreakMode::TailTruncation).endsWith(QChar(0x2026)));

    if (kind == QLatin1String("torrent")) {
        // On a tablet the name runs to the screen's width instead.
        Device::setKind(Device::Kind::Tablet);
        cell->setNeedsDisplay();
        const QImage wide = cell->contentView()->grab().toImage();
        Device::setKind(Device::Kind::Phone);
        QVERIFY(rightmostInk(wide, 5, 19) > textX + width + 50);
    }
}

void TestCells::countsEndLeftOfArrows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("end");
    QTest::newRow("torrent up, 1 digit") << QStringLiteral("torrent") << true << QStringLiteral("7") << 230;
    QTest::newRow("torrent up, 6 digits") << QStringLiteral("torrent") << true << QStringLiteral("123456") << 230;
    QTest::newRow("torrent down") << QStringLiteral("torrent") << false << QStringLiteral("4821") << 267;
    QTest::newRow("snatch up") << QStringLiteral("snatch") << true << QStringLiteral("1.25 GB") << 239;
    QTest::newRow("snatch down") << QStringLiteral("snatch") << false << QStringLiteral("310 MB") << 308;
}

void TestCells::countsEndLeftOfArrows()
{
    QFETCH(QString, kind);
    QFETCH(bool, up);
    QFETCH(QString, count);
    QFETCH(int, end);
    auto cell = makeCell(kind);
    if (auto* t = qobject_cast<TorrentItemTableViewCell*>(cell.get()))
        up ? t->setUpLbl(count) : t->setDownLbl(count);
    else if (auto* s = qobject_cast<TorrentSnatchItemTableViewCell*>(cell.get()))
        up ? s->setUpLbl(count) : s->setDownLbl(count);
    const QImage image = cell->contentView()->grab().toImage();
    const int right = rightmostInk(image, 20, 34);
    // The text's advance ends at `end`; its last ink lies in the final pixel or two before.
    QVERIFY2(right < end && right >= end - 3, qPrintable(QString::number(right)));
}

void TestCells::highlighted_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPoint>("picture");
    QTest::newRow("torrent type picture") << QStringLiteral("torrent") << QPoint(16, 16);
    QTest::newRow("friend avatar") << QStringLiteral("friend") << QPoint(24, 18);
}

void TestCells::highlighted()
{
    QFETCH(QString, kind);
    QFETCH(QPoint, picture);
    auto cell = makeCell(kind);
    const QImage blue = solid(Qt::blue);
    if (auto* t = qobject_cast<TorrentItemTableViewCell*>(cell.get())) {
        t->setTypeImg(blue);
        t->setNameLbl(QStringLiteral("MMMMMMMM"));
    } else {
        auto* f = static_cast<FriendItemTableViewCell*>(cell.get());
        f->setAvatarImg(blue);
        f->setNameLbl(QStringLiteral("MMMMMMMM"));
    }
    const QImage normal = cell->grab().toImage();
    QCOMPARE(normal.pixel(300, 2), kBackground);
    QCOMPARE(QColor(normal.pixel(picture)), QColor(Qt::blue));

    cell->setHighlighted(true);
    QVERIFY(!cell->contentView()->testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage on = cell->grab().toImage();
    // No background of its own: the table's grey selection shows where nothing is drawn.
    const QColor selection(on.pixel(300, 2));
    QVERIFY2(selection.red() > 120 && selection.red() == selection.blue(), qPrintable(selection.name()));
    // The picture at half opacity over the selection.
    const QColor half(on.pixel(picture));
    const QColor under(on.pixel(300, picture.y()));
    QVERIFY2(qAbs(half.blue() - (255 + under.blue()) / 2) <= 3 && qAbs(half.red() - under.red() / 2) <= 3,
             qPrintable(half.name()));
    // White text, where the normal row's text is never brighter than its grey.
    auto brightest = [](const QImage& image) {
        int best = 0;
        for (int x = 52; x < 120; ++x)
            for (int y = 5; y < 19; ++y)
                best = std::max(best, qRed(image.pixel(x, y)));
        return best;
    };
    QCOMPARE(brightest(on), 255);
    QVERIFY(brightest(normal) <= 204);

    cell->setHighlighted(false);
    cell->setSelected(true);
    QCOMPARE(cell->grab().toImage().pixel(picture), on.pixel(picture));
}

void TestCells::absentFieldsDrawNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("torrent") << QStringLiteral("torrent");
    QTest::newRow("snatch") << QStringLiteral("snatch");
    QTest::newRow("friend") << QStringLiteral("friend");
}

void TestCells::absentFieldsDrawNothing()
{
    QFETCH(QString, kind);
    auto cell = makeCell(kind);
    // Refilled with absent and empty fields after a row that had them all.
    if (auto* t = qobject_cast<TorrentItemTableViewCell*>(cell.get())) {
        t->setNameLbl(QString());
        t->setSubLbl(QStringLiteral(""));
        t->setWaitLbl(QString());
        t->setTypeImg(QImage());
        t->setDownloadedImg(QImage());
        t->setUpImg(QImage());
    } else if (auto* s = qobject_cast<TorrentSnatchItemTableViewCell*>(cell.get())) {
        s->setActiveLbl(QString());
        s->setUpImg(QImage());
    } else {
        static_cast<FriendItemTableViewCell*>(cell.get())->setAvatarImg(QImage());
    }
    const QImage image = cell->contentView()->grab().toImage();
    QCOMPARE(image.size(), QSize(320, 36));
    QCOMPARE(rightmostInk(image, 0, 36), -1);
}

void TestCells::waitTimeInRed()
{
    auto cell = makeCell(QStringLiteral("torrent"));
    auto* t = static_cast<TorrentItemTableViewCell*>(cell.get());
    t->setWaitLbl(QStringLiteral("24h"));
    const QImage image = cell->contentView()->grab().toImage();
    int red = 0;
    for (int x = 50; x < 100; ++x)
        for (int y = 17; y < 36; ++y) {
            const QColor c(image.pixel(x, y));
            red += c.red() > 180 && c.green() < 60;
        }
    QVERIFY(red > 20);
    // Nothing to the left of x = 50: the small drawing at y = 40 lies below the row.
    QCOMPARE(rightmostInk(image.copy(0, 0, 50, 36), 0, 36), -1);
}

QTEST_MAIN(TestCells)
#include "tst_cells.moc"
