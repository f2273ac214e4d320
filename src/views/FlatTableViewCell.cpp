#include "views/FlatTableViewCell.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "views/FlatTableViewCellView.h"
#include "views/TextLayoutCache.h"

#include <QFontMetricsF>
#include <QPainter>

FlatTableViewCell::FlatTableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent)
    : TableViewCell(TableViewCellStyle::Default, reuseIdentifier, parent),
      m_flatContentView(new FlatTableViewCellView(this))
{
    // Owned by the cell's widget tree; raised above the platform's content view, while an
    // accessory raised later by the platform stays above it and keeps taking taps.
    m_flatContentView->setGeometry(QRect());
    m_flatContentView->raise();
    updateOpaque();
    setFrame(frame);
}

FlatTableViewCell::RowFonts FlatTableViewCell::RowFonts::make()
{
    return {Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12),
            Fonts::fontWithName(QStringLiteral("ArialRoundedMTBold"), 19),
            Fonts::fontWithName(QStringLiteral("Arial"), 10)};
}

QColor FlatTableViewCell::rowBackgroundColor()
{
    return QColor::fromRgbF(0.1333f, 0.1333f, 0.1333f);
}

QColor FlatTableViewCell::rowTextColor()
{
    return QColor::fromRgbF(0.8f, 0.8f, 0.8f);
}

void FlatTableViewCell::setFrame(const QRect& frame)
{
    setGeometry(frame);
    // A hidden widget gets its resize event only when shown; the drawing view follows now.
    layoutSubviews();
}

void FlatTableViewCell::layoutSubviews()
{
    TableViewCell::layoutSubviews();
    m_flatContentView->setGeometry(0, 0, width(), std::max(0, height() - 1));
}

void FlatTableViewCell::updateOpaque()
{
    // Opaque (Qt paints nothing beneath it) except while the selection must show through.
    m_flatContentView->setAttribute(Qt::WA_OpaquePaintEvent, !(isHighlighted() || isSelected()));
}

void FlatTableViewCell::setHighlighted(bool highlighted, bool animated)
{
    TableViewCell::setHighlighted(highlighted, animated);
    updateOpaque();
    setNeedsDisplay();
}

void FlatTableViewCell::setSelected(bool selected, bool animated)
{
    TableViewCell::setSelected(selected, animated);
    updateOpaque();
    setNeedsDisplay();
}

void FlatTableViewCell::prepareForReuse()
{
    TableViewCell::prepareForReuse();
    updateOpaque();
}

void FlatTableViewCell::setNeedsDisplay()
{
    TableViewCell::setNeedsDisplay();
    m_flatContentView->update();
}

void FlatTableViewCell::drawContentView(const QRectF&)
{
}

bool FlatTableViewCell::beginRow(const QRectF& rect)
{
    GraphicsContext* ctx = GraphicsContext::current();
    const bool on = isHighlighted() || isSelected();
    // Highlighted and selected rows draw no background of their own: the table's selection
    // shows through, under white text.
    ctx->setFillColor(on ? QColor(Qt::transparent) : rowBackgroundColor());
    ctx->fillRect(rect);
    ctx->setFillColor(on ? QColor(Qt::white) : rowTextColor());
    return on;
}

void FlatTableViewCell::drawRightAligned(const QString& text, double x, double y, const QFont& font)
{
    if (text.isEmpty())
        return;
    // Drawn from the laid-out lines of the cache, in the fill colour.
    GraphicsContext* ctx = GraphicsContext::current();
    QPainter* painter = ctx->painter();
    const double w = TextLayoutCache::lineWidth(text, TextLayoutCache::kUnlimited, font);
    painter->save();
    painter->setPen(ctx->fillColor());
    TextLayoutCache::draw(painter, text, QPointF(x - w - 4, y), TextLayoutCache::kUnlimited, font);
    painter->restore();
}

QString FlatTableViewCell::sentence(const QStringList& parts)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.trimmed().isEmpty())
            kept.append(part.simplified());
    }
    return kept.join(QStringLiteral(", "));
}

QString FlatTableViewCell::counted(const QString& count, const QString& one, const QString& many)
{
    const QString n = count.trimmed();
    if (n.isEmpty())
        return {};
    return n + QLatin1Char(' ') + (n == QLatin1String("1") ? one : many);
}

QRectF FlatTableViewCell::textBox(QPointF at, double advance, const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double top = at.y() + metrics.ascent() - metrics.capHeight();
    return {at.x(), top, advance, metrics.capHeight() + metrics.descent()};
}

double FlatTableViewCell::textWidth(const QString& text, const QFont& font)
{
    return TextLayoutCache::lineWidth(text, TextLayoutCache::kUnlimited, font);
}

QFont FlatTableViewCell::fittingFont(const QString& text, const QFont& font, double width, double minPixelSize)
{
    QFont smaller = font;
    double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
    // Row fonts have whole pixel sizes: one pixel a step.
    const double step = font.pixelSize() > 0 ? 1 : 0.5;
    while (textWidth(text, smaller) > width && size - step >= minPixelSize) {
        size -= step;
        if (font.pixelSize() > 0)
            smaller.setPixelSize(int(size));
        else
            smaller.setPointSizeF(size);
    }
    return smaller;
}
