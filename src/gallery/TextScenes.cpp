// Gallery scene: text drawing (fonts by name, truncation, word cut, right alignment) and paths
// with tangent arcs, drawn through the drawing context.
#include "GalleryScene.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"

#include <QPainter>
#include <QWidget>

namespace {
class TextSamples : public QWidget
{
public:
    TextSamples() { resize(320, 420); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        GraphicsContext ctx(&painter);
        ctx.setRGBFillColor(0.1333, 0.1333, 0.1333);
        ctx.fillRect(rect());

        const QFont bold = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12);
        const QFont large = Fonts::fontWithName(QStringLiteral("ArialRoundedMTBold"), 19);
        const QFont small = Fonts::fontWithName(QStringLiteral("Arial"), 10);
        const QFont verdana = Fonts::fontWithName(QStringLiteral("Verdana"), 18);
        const QFont system = Fonts::systemFont(17);

        double y = 8;
        auto sample = [&](const QString& name, const QFont& font) {
            ctx.setRGBFillColor(0.8, 0.8, 0.8);
            ctx.drawText(name + QStringLiteral(" - ") + font.family(), QPointF(10, y), font);
            y += Fonts::lineHeight(font) + 4;
        };
        sample(QStringLiteral("Arial-BoldMT 12"), bold);
        sample(QStringLiteral("ArialRoundedMTBold 19"), large);
        sample(QStringLiteral("Arial 10"), small);
        sample(QStringLiteral("Verdana 18"), verdana);
        sample(QStringLiteral("System 17"), system);

        // Tail truncation at 230 points, with the limit marked.
        y += 6;
        ctx.setRGBFillColor(0.9, 0.2, 0.2);
        ctx.fillRect(QRectF(40 + 230, y - 2, 1, 18));
        ctx.setRGBFillColor(0.8, 0.8, 0.8);
        ctx.drawText(QStringLiteral("Sintel.2010.Open.Movie.2160p.UHD.Remux.Complete.Edition"), QPointF(40, y), 230, bold,
                     LineBreakMode::TailTruncation);
        y += 22;
        ctx.fillRect(QRectF(40 + 230, y - 2, 1, 18));
        ctx.drawText(QStringLiteral("Head truncation keeps the end of a long name"), QPointF(40, y), 230, bold,
                     LineBreakMode::HeadTruncation);
        y += 22;
        // Word cut within 50 points in the large red font, as the wait label draws.
        ctx.setRGBFillColor(1, 0, 0);
        ctx.drawText(QStringLiteral("12 h"), QPointF(50, y), 50, large, LineBreakMode::WordWrap);
        ctx.setRGBFillColor(0.8, 0.8, 0.8);
        // Counts right-aligned 4 points left of x = 234 and 271.
        for (const auto& [text, x] : {std::pair{QStringLiteral("1234"), 234.0}, std::pair{QStringLiteral("56"), 271.0}}) {
            const double w = GraphicsContext::sizeWithFont(text, small).width();
            ctx.drawText(text, QPointF(x - w - 4, y + 6), small);
        }
        ctx.drawImage(QRectF(234, y + 6, 10, 10), Bundle::imageNamed(QStringLiteral("up.jpg")));
        ctx.drawImage(QRectF(271, y + 6, 10, 10), Bundle::imageNamed(QStringLiteral("down.jpg")));
        y += 30;

        // Several lines wrapped at words in a rectangle.
        ctx.setRGBFillColor(0.8, 0.8, 0.8);
        ctx.drawTextInRect(QStringLiteral("Transmission answers on port 9091 with its web interface; the user name and "
                                          "password are those of its RPC settings."),
                           QRectF(10, y, 300, 60), Fonts::systemFont(12), LineBreakMode::WordWrap);
        y += 60;

        // Paths: a capsule and a rounded box from tangent arcs, filled and stroked.
        auto rounded = [&](QRectF b, double radius) {
            const double r = std::min({radius, b.width() / 2, b.height() / 2});
            ctx.beginPath();
            ctx.moveToPoint(b.left(), b.center().y());
            ctx.addArcToPoint(b.left(), b.top(), b.center().x(), b.top(), r);
            ctx.addArcToPoint(b.right(), b.top(), b.right(), b.center().y(), r);
            ctx.addArcToPoint(b.right(), b.bottom(), b.center().x(), b.bottom(), r);
            ctx.addArcToPoint(b.left(), b.bottom(), b.left(), b.center().y(), r);
            ctx.closePath();
        };
        ctx.setLineWidth(2);
        ctx.setRGBStrokeColor(1, 1, 1);
        ctx.setRGBFillColor(0.5, 0.5, 0.5, 0.9);
        rounded(QRectF(10, y, 40, 20), 30);
        ctx.drawPath(PathDrawingMode::FillStroke);
        rounded(QRectF(70, y - 10, 160, 40), 8);
        ctx.drawPath(PathDrawingMode::FillStroke);
        ctx.setRGBFillColor(1, 1, 1);
        ctx.drawText(QStringLiteral("Loading..."), QPointF(110, y), Fonts::systemFont(20));

        // A picture at full and at half opacity.
        const QImage picture = Bundle::imageNamed(QStringLiteral("movies.png"));
        ctx.drawImage(QRectF(250, y - 12, 33, 33), picture);
        ctx.drawImage(QRectF(285, y - 12, 33, 33), picture, BlendMode::Normal, 0.5);
    }
};
} // namespace

GALLERY_SCENE(QStringLiteral("text-and-paths"), [] { return static_cast<QWidget*>(new TextSamples); });
