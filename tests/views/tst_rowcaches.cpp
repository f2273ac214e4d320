// The rows' caches draw exactly what the drawing context draws: texts laid out once (cut to
// their width or whole, in every font of the rows) and pictures scaled once, at scale 1 and 2,
// both when a line or picture is made and when it comes from the cache.
#include "platform/ui/Bundle.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "views/FlatTableViewCell.h"
#include "views/ScaledPictureCache.h"
#include "views/TextLayoutCache.h"

#include <QPainter>
#include <QTest>

#include <functional>

namespace {

QImage render(qreal scale, const std::function<void(QPainter*, GraphicsContext&)>& draw)
{
    QImage image(QSize(320, 40) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(QColor(34, 34, 34));
    QPainter painter(&image);
    GraphicsContext ctx(&painter);
    ctx.setFillColor(QColor(204, 204, 204));
    painter.setPen(ctx.fillColor());
    draw(&painter, ctx);
    return image;
}

} // namespace

class TestRowCaches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsDrawAsTheContext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("point");
        const int tail = int(LineBreakMode::TailTruncation), wrap = int(LineBreakMode::WordWrap);
        QTest::newRow("long name cut") << QStringLiteral("Open movie number 7 - 1080p BluRay x264 with a rather long name")
                                       << QStringLiteral("Arial-BoldMT") << 230.0 << tail << QPointF(40, 5);
        QTest::newRow("short name") << QStringLiteral("Tiny") << QStringLiteral("Arial-BoldMT") << 230.0 << tail
                                    << QPointF(40, 5);
        QTest::newRow("whole text") << QStringLiteral("4.58 GB") << QStringLiteral("Arial") << -1.0 << tail
                                    << QPointF(160, 20);
        QTest::newRow("fractional place") << QStringLiteral("1234") << QStringLiteral("Arial") << -1.0 << tail
                                          << QPointF(189.37, 20);
        QTest::newRow("wait, word wrap") << QStringLiteral("24 h") << QStringLiteral("ArialRoundedMTBold") << 50.0
                                         << wrap << QPointF(50, 17);
        QTest::newRow("accents and marks") << QStringLiteral("Élan vital – «Ça» ½ naïve") << QStringLiteral("Arial")
                                           << 110.0 << tail << QPointF(40, 20);
        QTest::newRow("line break in a whole text") << QStringLiteral("two\nlines") << QStringLiteral("Arial")
                                                    << -1.0 << tail << QPointF(10, 10);
        QTest::newRow("clipped") << QStringLiteral("clipped at forty points") << QStringLiteral("Arial") << 40.0
                                 << int(LineBreakMode::Clip) << QPointF(10, 10);
    }

    void textsDrawAsTheContext()
    {
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(double, width);
        QFETCH(int, mode);
        QFETCH(QPointF, point);
        const QFont f = Fonts::fontWithName(font, font == QLatin1String("ArialRoundedMTBold") ? 19 : 12);
        const auto m = LineBreakMode(mode);
        for (qreal scale : {1.0, 2.0}) {
            const QImage expected = render(scale, [&](QPainter*, GraphicsContext& ctx) {
                if (width < 0)
                    ctx.drawText(text, point, f);
                else
                    ctx.drawText(text, point, width, f, m);
            });
            TextLayoutCache::clear();
            for (int pass = 0; pass < 2; ++pass) { // made, then from the cache
                QSizeF drawn;
                const QImage cached = render(scale, [&](QPainter* painter, GraphicsContext&) {
                    drawn = TextLayoutCache::draw(painter, text, point, width, f, m);
                });
                QCOMPARE(cached, expected);
                const QSizeF measured = width < 0 ? GraphicsContext::sizeWithFont(text, f)
                                                  : GraphicsContext::sizeWithFont(text, f, width, m);
                QCOMPARE(drawn, measured);
            }
        }
    }

    void picturesDrawAsTheContext_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<double>("opacity");
        QTest::newRow("category picture") << QStringLiteral("movies.png") << QRectF(0, 0, 33, 33) << 1.0;
        QTest::newRow("arrow, opaque jpeg") << QStringLiteral("up.jpg") << QRectF(234, 20, 10, 10) << 1.0;
        QTest::newRow("downloaded mark") << QStringLiteral("downloaded.png") << QRectF(48, 15, 24, 19) << 1.0;
        QTest::newRow("off the pixel grid") << QStringLiteral("tv.png") << QRectF(10.5, 2.25, 33, 33) << 1.0;
        QTest::newRow("half opacity") << QStringLiteral("music.png") << QRectF(0, 0, 33, 33) << 0.5;
    }

    void picturesDrawAsTheContext()
    {
        QFETCH(QString, picture);
        QFETCH(QRectF, rect);
        QFETCH(double, opacity);
        const QImage image = Bundle::imageNamed(picture);
        QVERIFY(!image.isNull());
        for (qreal scale : {1.0, 2.0}) {
            const QImage expected = render(scale, [&](QPainter* painter, GraphicsContext& ctx) {
                painter->setOpacity(opacity);
                ctx.drawImage(rect, image);
            });
            for (int pass = 0; pass < 2; ++pass) {
                const QImage cached = render(scale, [&](QPainter* painter, GraphicsContext&) {
                    painter->setOpacity(opacity);
                    ScaledPictureCache::draw(painter, rect, image);
                });
                QCOMPARE(cached, expected);
            }
        }
    }
};

QTEST_MAIN(TestRowCaches)
#include "tst_rowcaches.moc"
