// Drawing context: tangent-arc geometry, the rounded shapes built from it, text cut at a width,
// pictures drawn with opacity and flipped, off-screen picture contexts. Checked on pixels.
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {
QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

bool near(QPointF a, QPointF b, double eps = 1e-3)
{
    return std::abs(a.x() - b.x()) < eps && std::abs(a.y() - b.y()) < eps;
}

QImage twoColour(QColor top, QColor bottom)
{
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.fillRect(0, 0, 4, 2, top);
    p.fillRect(0, 2, 4, 2, bottom);
    return image;
}
} // namespace

class GraphicsContextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tangentArcGeometry_data()
    {
        QTest::addColumn<QPointF>("p0");
        QTest::addColumn<QPointF>("p1");
        QTest::addColumn<QPointF>("p2");
        QTest::addColumn<double>("radius");
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("end");
        QTest::addColumn<QPointF>("center");
        QTest::addColumn<double>("sweep");

        // A square corner: tangent points one radius from the corner on each line.
        QTest::newRow("top-left corner") << QPointF(0, 50) << QPointF(0, 0) << QPointF(100, 0) << 10.0
                                         << QPointF(0, 10) << QPointF(10, 0) << QPointF(10, 10) << -90.0;
        // Turning the other way round the same corner sweeps the other way.
        QTest::newRow("reverse corner") << QPointF(100, 0) << QPointF(0, 0) << QPointF(0, 50) << 10.0
                                        << QPointF(10, 0) << QPointF(0, 10) << QPointF(10, 10) << 90.0;
        // A 60-degree turn (120 degrees between the lines): d = r / tan(60) = 5.7735,
        // centre r / sin(60) = 11.547 from the corner along the bisector.
        const double s = std::sqrt(3.0) / 2;
        QTest::newRow("obtuse corner") << QPointF(0, 0) << QPointF(100, 0) << QPointF(100 + 50, 100 * s) << 10.0
                                       << QPointF(100 - 10 / std::sqrt(3.0), 0)
                                       << QPointF(100 + 5 / std::sqrt(3.0), 5.0)
                                       << QPointF(100 - 10 / std::sqrt(3.0), 10) << -60.0;
        // A radius larger than the segments: the tangent points lie beyond them, as computed.
        QTest::newRow("radius past the segments") << QPointF(0, 5) << QPointF(0, 0) << QPointF(5, 0) << 20.0
                                                  << QPointF(0, 20) << QPointF(20, 0) << QPointF(20, 20) << -90.0;
    }

    void tangentArcGeometry()
    {
        QFETCH(QPointF, p0);
        QFETCH(QPointF, p1);
        QFETCH(QPointF, p2);
        QFETCH(double, radius);
        QFETCH(QPointF, start);
        QFETCH(QPointF, end);
        QFETCH(QPointF, center);
        QFETCH(double, sweep);
        const TangentArc arc = GraphicsContext::tangentArc(p0, p1, p2, radius);
        QVERIFY(!arc.isLine);
        QVERIFY2(near(arc.tangentStart, start), qPrintable(QStringLiteral("start %1,%2").arg(arc.tangentStart.x()).arg(arc.tangentStart.y())));
        QVERIFY2(near(arc.tangentEnd, end), qPrintable(QStringLiteral("end %1,%2").arg(arc.tangentEnd.x()).arg(arc.tangentEnd.y())));
        QVERIFY2(near(arc.center, center), qPrintable(QStringLiteral("center %1,%2").arg(arc.center.x()).arg(arc.center.y())));
        QCOMPARE(arc.radius, radius);
        QVERIFY(std::abs(arc.sweepLength - sweep) < 1e-6);
        // Both tangent points lie on the circle.
        QVERIFY(std::abs(std::hypot(arc.tangentStart.x() - arc.center.x(), arc.tangentStart.y() - arc.center.y()) - radius) < 1e-6);
        QVERIFY(std::abs(std::hypot(arc.tangentEnd.x() - arc.center.x(), arc.tangentEnd.y() - arc.center.y()) - radius) < 1e-6);

        // In a path, the arc ends at the second tangent point, the new current point.
        QImage image = canvas(10, 10);
        QPainter painter(&image);
        GraphicsContext ctx(&painter);
        ctx.moveToPoint(p0.x(), p0.y());
        ctx.addArcToPoint(p1.x(), p1.y(), p2.x(), p2.y(), radius);
        QVERIFY(near(ctx.pathCurrentPoint(), end));
    }

    void degenerateArcIsALineToTheCorner()
    {
        QImage image = canvas(10, 10);
        QPainter painter(&image);
        GraphicsContext ctx(&painter);
        QVERIFY(GraphicsContext::tangentArc({0, 0}, {5, 0}, {10, 0}, 3).isLine);
        QVERIFY(GraphicsContext::tangentArc({0, 0}, {5, 0}, {5, 5}, 0).isLine);
        ctx.moveToPoint(0, 0);
        ctx.addArcToPoint(5, 0, 10, 0, 3);
        QCOMPARE(ctx.pathCurrentPoint(), QPointF(5, 0));
    }

    void roundedShapeFromTangentArcs()
    {
        // The rounded box path used by the busy overlay: 40 x 20 with radius 10, a capsule.
        QImage image = canvas(40, 20);
        {
            QPainter painter(&image);
            GraphicsContext ctx(&painter);
            ctx.setRGBFillColor(1, 0, 0);
            const double r = 10;
            ctx.moveToPoint(0, 10);
            ctx.addArcToPoint(0, 0, 20, 0, r);
            ctx.addArcToPoint(40, 0, 40, 10, r);
            ctx.addArcToPoint(40, 20, 20, 20, r);
            ctx.addArcToPoint(0, 20, 0, 10, r);
            ctx.closePath();
            ctx.fillPath();
            QVERIFY(ctx.isPathEmpty()); // filling consumes the path
        }
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(39, 19)), 0);
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0); // outside the quarter circle
        QCOMPARE(image.pixelColor(20, 10), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(20, 0).red(), 255);  // the straight top edge
        QCOMPARE(image.pixelColor(1, 10).red(), 255);   // the round end's widest point
    }

    void textCutAtWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected"); // "" = check ellipsis and width only

        const QString longName = QStringLiteral("Some.Very.Long.Torrent.Name.With.Many.Parts.1080p.x264-GROUP");
        QTest::newRow("tail truncation") << longName << 230.0 << int(LineBreakMode::TailTruncation) << QString();
        QTest::newRow("fits unchanged") << QStringLiteral("Short") << 230.0 << int(LineBreakMode::TailTruncation)
                                        << QStringLiteral("Short");
        QTest::newRow("word wrap keeps whole words") << QStringLiteral("12 hours left") << 0.0
                                                     << int(LineBreakMode::WordWrap) << QStringLiteral("12 hours");
        QTest::newRow("word wrap breaks a long word") << QStringLiteral("abcdefghij") << 0.0
                                                      << int(LineBreakMode::WordWrap) << QStringLiteral("abcde");
    }

    void textCutAtWidth()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        const QFont font = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12);
        const QFontMetricsF metrics(font);
        if (width == 0) // just wide enough for the expected text
            width = metrics.horizontalAdvance(expected) + 0.5;
        const QString line = GraphicsContext::fitLine(text, font, width, LineBreakMode(mode));
        QVERIFY(metrics.horizontalAdvance(line) <= width);
        if (expected.isEmpty()) {
            QVERIFY(line.endsWith(QChar(0x2026)));
            QVERIFY(text.startsWith(line.chopped(1)));
        } else {
            QCOMPARE(line, expected);
        }

        // Drawn: nothing lands right of the width.
        QImage image = canvas(400, 20, Qt::black);
        {
            QPainter painter(&image);
            GraphicsContext ctx(&painter);
            ctx.setFillColor(Qt::white);
            const QSizeF drawn = ctx.drawText(text, QPointF(10, 2), width, font, LineBreakMode(mode));
            QVERIFY(drawn.width() <= width);
        }
        int rightmost = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qRed(image.pixel(x, y)) > 60)
                    rightmost = x;
        QVERIFY(rightmost > 10);
        QVERIFY2(rightmost <= 10 + std::ceil(width), qPrintable(QString::number(rightmost)));
    }

    void wrappedTextDrawsEveryLineItMeasures()
    {
        // Four lines: the measured height must hold all four, and all four must be drawn whole
        // (the line pitch of a layout is not ascent + descent).
        const QFont font = Fonts::systemFont(14);
        const QString text = QStringLiteral("one two three four five six seven eight nine ten eleven twelve");
        const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("one two three")) + 2;
        const QSizeF size = GraphicsContext::sizeWithFont(text, font, QSizeF(width, 0), LineBreakMode::WordWrap);
        const QSizeF threeLines = GraphicsContext::sizeWithFont(text, font, QSizeF(width, size.height() * 0.8),
                                                                LineBreakMode::WordWrap);
        QVERIFY(threeLines.height() < size.height());

        QImage image = canvas(int(width) + 4, int(size.height()) + 20, Qt::black);
        {
            QPainter painter(&image);
            GraphicsContext ctx(&painter);
            ctx.setFillColor(Qt::white);
            ctx.drawTextInRect(text, QRectF(0, 0, width, size.height()), font, LineBreakMode::WordWrap);
        }
        int lowest = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 60)
                    lowest = y;
        // The last line's letters reach into the last quarter, and nothing is drawn below.
        QVERIFY2(lowest > size.height() * 0.75, qPrintable(QString::number(lowest)));
        QVERIFY2(lowest <= std::ceil(size.height()), qPrintable(QString::number(lowest)));
    }

    void pictureDrawnWithOpacityAndBlendMode()
    {
        QImage red(8, 8, QImage::Format_ARGB32_Premultiplied);
        red.fill(Qt::red);
        QImage image = canvas(20, 10, Qt::white);
        {
            QPainter painter(&image);
            GraphicsContext ctx(&painter);
            ctx.drawImage(QRectF(0, 0, 10, 10), red, BlendMode::Normal, 0.5);
            ctx.drawImage(QRectF(10, 0, 10, 10), red); // stretched, opaque
        }
        const QColor half = image.pixelColor(5, 5);
        QCOMPARE(half.red(), 255);
        QVERIFY(std::abs(half.green() - 128) <= 2);
        QVERIFY(std::abs(half.blue() - 128) <= 2);
        QCOMPARE(image.pixelColor(15, 5), QColor(Qt::red));

        // Multiply keeps only what both colours share.
        QImage multiplied = canvas(4, 4, QColor(0, 255, 255));
        {
            QPainter painter(&multiplied);
            GraphicsContext ctx(&painter);
            QImage yellow(4, 4, QImage::Format_ARGB32_Premultiplied);
            yellow.fill(QColor(255, 255, 0));
            ctx.drawImage(QRectF(0, 0, 4, 4), yellow, BlendMode::Multiply, 1.0);
        }
        QCOMPARE(multiplied.pixelColor(2, 2), QColor(0, 255, 0));
    }

    void offscreenContextAndFlippedPictures()
    {
        const QImage source = twoColour(Qt::red, Qt::blue);
        QVERIFY(!GraphicsContext::current());
        GraphicsContext::beginImageContext(QSizeF(8, 8));
        GraphicsContext* ctx = GraphicsContext::current();
        QVERIFY(ctx);
        // The low-level draw lands upside down in top-left coordinates...
        ctx->drawImageBottomUp(QRectF(0, 0, 8, 8), source);
        QImage upsideDown = GraphicsContext::imageFromCurrentImageContext();
        // ...and the flip the picture scaling does makes it upright again.
        ctx->clearRect(QRectF(0, 0, 8, 8));
        ctx->translateCTM(0, 8);
        ctx->scaleCTM(1, -1);
        ctx->drawImageBottomUp(QRectF(0, 0, 8, 8), source);
        QImage upright = GraphicsContext::imageFromCurrentImageContext();
        GraphicsContext::endImageContext();
        QVERIFY(!GraphicsContext::current());

        QCOMPARE(upsideDown.size(), QSize(8, 8));
        QCOMPARE(upsideDown.pixelColor(4, 1), QColor(Qt::blue));
        QCOMPARE(upsideDown.pixelColor(4, 6), QColor(Qt::red));
        QCOMPARE(upright.pixelColor(4, 1), QColor(Qt::red));
        QCOMPARE(upright.pixelColor(4, 6), QColor(Qt::blue));
    }
};

QTEST_MAIN(GraphicsContextTest)
#include "tst_GraphicsContext.moc"
