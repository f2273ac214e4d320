#include "views/TextLayoutCache.h"

#include <QCache>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPainter>

#include <cmath>

namespace {

struct Key
{
    QString text;
    QFont font;
    double width;
    int mode;

    bool operator==(const Key& other) const
    {
        return width == other.width && mode == other.mode && text == other.text && font == other.font;
    }
};

size_t qHash(const Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.width, key.mode);
}

QCache<Key, TextLayoutCache::Line>& cache()
{
    static QCache<Key, TextLayoutCache::Line> lines(TextLayoutCache::kCapacity);
    return lines;
}

} // namespace

const TextLayoutCache::Line* TextLayoutCache::line(const QString& text, double width, const QFont& font,
                                                   LineBreakMode mode)
{
    // Clipped lines and line breaks in a whole text take the context's own path.
    if (mode == LineBreakMode::Clip && width >= 0)
        return nullptr;
    if (width < 0 && (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))))
        return nullptr;
    const Key key{text, font, width < 0 ? kUnlimited : width, width < 0 ? -1 : int(mode)};
    if (Line* found = cache().object(key))
        return found;

    const QString shown = width < 0 ? text : GraphicsContext::fitLine(text, font, width, mode);
    const QFontMetricsF metrics(font);
    auto* made = new Line;
    made->text.setTextFormat(Qt::PlainText);
    made->text.setPerformanceHint(QStaticText::AggressiveCaching);
    made->text.setText(shown);
    made->text.prepare(QTransform(), font);
    made->advance = metrics.horizontalAdvance(shown);
    if (width >= 0)
        made->advance = std::min(made->advance, width);
    made->ascent = metrics.ascent();
    made->height = metrics.ascent() + metrics.descent();
    const Line* result = made;
    cache().insert(key, made);
    return result;
}

QSizeF TextLayoutCache::draw(QPainter* painter, const QString& text, QPointF point, double width, const QFont& font,
                             LineBreakMode mode)
{
    if (text.isEmpty() || width == 0 || (width < 0 && width != kUnlimited))
        return {0, 0};
    // Prepared glyphs land on the same pixels as the context's only from a whole device pixel.
    const QPointF device = painter->deviceTransform().map(point);
    const bool onGrid = painter->deviceTransform().type() <= QTransform::TxScale
                        && device.x() == std::round(device.x()) && device.y() == std::round(device.y());
    const Line* prepared = onGrid ? line(text, width, font, mode) : nullptr;
    if (!prepared) {
        GraphicsContext context(painter);
        context.setFillColor(painter->pen().color());
        return width < 0 ? context.drawText(text, point, font) : context.drawText(text, point, width, font, mode);
    }
    if (painter->font() != font)
        painter->setFont(font);
    painter->drawStaticText(point, prepared->text);
    return {prepared->advance, prepared->height};
}

double TextLayoutCache::lineWidth(const QString& text, double width, const QFont& font, LineBreakMode mode)
{
    if (text.isEmpty())
        return 0;
    if (const Line* prepared = line(text, width, font, mode))
        return prepared->advance;
    return GraphicsContext::sizeWithFont(text, font, width, mode).width();
}

int TextLayoutCache::count()
{
    return int(cache().count());
}

void TextLayoutCache::clear()
{
    cache().clear();
}
