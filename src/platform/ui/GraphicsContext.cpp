#include "platform/ui/GraphicsContext.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr double kPi = 3.14159265358979323846;
const QChar kEllipsis(0x2026);

std::vector<GraphicsContext*>& contextStack()
{
    thread_local std::vector<GraphicsContext*> stack;
    return stack;
}

struct ImageContext
{
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<GraphicsContext> context;
};

std::vector<std::unique_ptr<ImageContext>>& imageContexts()
{
    thread_local std::vector<std::unique_ptr<ImageContext>> stack;
    return stack;
}

QPainter::CompositionMode compositionFor(BlendMode mode)
{
    switch (mode) {
    case BlendMode::Normal: return QPainter::CompositionMode_SourceOver;
    case BlendMode::Multiply: return QPainter::CompositionMode_Multiply;
    case BlendMode::Screen: return QPainter::CompositionMode_Screen;
    case BlendMode::Overlay: return QPainter::CompositionMode_Overlay;
    case BlendMode::Darken: return QPainter::CompositionMode_Darken;
    case BlendMode::Lighten: return QPainter::CompositionMode_Lighten;
    case BlendMode::ColorDodge: return QPainter::CompositionMode_ColorDodge;
    case BlendMode::ColorBurn: return QPainter::CompositionMode_ColorBurn;
    case BlendMode::SoftLight: return QPainter::CompositionMode_SoftLight;
    case BlendMode::HardLight: return QPainter::CompositionMode_HardLight;
    case BlendMode::Difference: return QPainter::CompositionMode_Difference;
    case BlendMode::Exclusion: return QPainter::CompositionMode_Exclusion;
    case BlendMode::Clear: return QPainter::CompositionMode_Clear;
    case BlendMode::Copy: return QPainter::CompositionMode_Source;
    case BlendMode::SourceIn: return QPainter::CompositionMode_SourceIn;
    case BlendMode::SourceOut: return QPainter::CompositionMode_SourceOut;
    case BlendMode::SourceAtop: return QPainter::CompositionMode_SourceAtop;
    case BlendMode::DestinationOver: return QPainter::CompositionMode_DestinationOver;
    case BlendMode::DestinationIn: return QPainter::CompositionMode_DestinationIn;
    case BlendMode::DestinationOut: return QPainter::CompositionMode_DestinationOut;
    case BlendMode::DestinationAtop: return QPainter::CompositionMode_DestinationAtop;
    case BlendMode::Xor: return QPainter::CompositionMode_Xor;
    case BlendMode::PlusLighter: return QPainter::CompositionMode_Plus;
    }
    return QPainter::CompositionMode_SourceOver;
}

// Angle of q seen from c in QPainterPath degrees (counter-clockwise on screen).
double qtAngle(QPointF c, QPointF q)
{
    return std::atan2(-(q.y() - c.y()), q.x() - c.x()) * 180.0 / kPi;
}

// The longest prefix of text (at most the whole) whose width fits.
int fittingLength(const QString& text, const QFontMetricsF& metrics, double width)
{
    int lo = 0, hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}
} // namespace

GraphicsContext::GraphicsContext(QPainter* painter) : m_painter(painter)
{
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    contextStack().push_back(this);
}

GraphicsContext::~GraphicsContext()
{
    auto& stack = contextStack();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

GraphicsContext* GraphicsContext::current()
{
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back();
}

void GraphicsContext::beginImageContext(QSizeF size, bool opaque, double scale)
{
    auto ctx = std::make_unique<ImageContext>();
    const QSize pixels(std::max(1, int(std::ceil(size.width() * scale))),
                       std::max(1, int(std::ceil(size.height() * scale))));
    ctx->image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    ctx->image.setDevicePixelRatio(scale);
    ctx->image.fill(opaque ? Qt::black : Qt::transparent);
    ctx->painter = std::make_unique<QPainter>(&ctx->image);
    ctx->context = std::make_unique<GraphicsContext>(ctx->painter.get());
    imageContexts().push_back(std::move(ctx));
}

QImage GraphicsContext::imageFromCurrentImageContext()
{
    auto& stack = imageContexts();
    if (stack.empty())
        return {};
    return stack.back()->image.copy();
}

void GraphicsContext::endImageContext()
{
    auto& stack = imageContexts();
    if (stack.empty())
        return;
    stack.back()->context.reset();
    stack.back()->painter->end();
    stack.pop_back();
}

void GraphicsContext::saveGState()
{
    m_saved.push_back(m_state);
    m_painter->save();
}

void GraphicsContext::restoreGState()
{
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
    m_painter->restore();
}

void GraphicsContext::translateCTM(double dx, double dy) { m_painter->translate(dx, dy); }
void GraphicsContext::scaleCTM(double sx, double sy) { m_painter->scale(sx, sy); }
void GraphicsContext::rotateCTM(double radians) { m_painter->rotate(radians * 180.0 / kPi); }

void GraphicsContext::setFillColor(const QColor& color) { m_state.fill = color; }
void GraphicsContext::setRGBFillColor(double r, double g, double b, double a)
{
    m_state.fill = QColor::fromRgbF(float(r), float(g), float(b), float(a));
}
void GraphicsContext::setStrokeColor(const QColor& color) { m_state.stroke = color; }
void GraphicsContext::setRGBStrokeColor(double r, double g, double b, double a)
{
    m_state.stroke = QColor::fromRgbF(float(r), float(g), float(b), float(a));
}
void GraphicsContext::setLineWidth(double width) { m_state.lineWidth = width; }

void GraphicsContext::setAlpha(double alpha)
{
    m_state.alpha = alpha;
    m_painter->setOpacity(alpha);
}

void GraphicsContext::setBlendMode(BlendMode mode)
{
    m_state.blend = mode;
    applyBlend(mode);
}

void GraphicsContext::applyBlend(BlendMode mode)
{
    m_painter->setCompositionMode(compositionFor(mode));
}

void GraphicsContext::setShouldAntialias(bool antialias)
{
    m_painter->setRenderHint(QPainter::Antialiasing, antialias);
}

void GraphicsContext::fillRect(const QRectF& rect)
{
    m_painter->fillRect(rect, m_state.fill);
}

void GraphicsContext::strokeRect(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect);
    m_painter->strokePath(path, QPen(m_state.stroke, m_state.lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

void GraphicsContext::clearRect(const QRectF& rect)
{
    m_painter->save();
    m_painter->setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter->fillRect(rect, Qt::transparent);
    m_painter->restore();
}

void GraphicsContext::beginPath()
{
    m_path = QPainterPath();
    m_hasCurrentPoint = false;
}

void GraphicsContext::moveToPoint(double x, double y)
{
    m_path.moveTo(x, y);
    m_hasCurrentPoint = true;
}

void GraphicsContext::ensureCurrentPoint(double x, double y)
{
    if (!m_hasCurrentPoint)
        moveToPoint(x, y);
}

void GraphicsContext::addLineToPoint(double x, double y)
{
    if (!m_hasCurrentPoint) {
        moveToPoint(x, y);
        return;
    }
    m_path.lineTo(x, y);
}

TangentArc GraphicsContext::tangentArc(QPointF p0, QPointF p1, QPointF p2, double radius)
{
    TangentArc arc;
    const QPointF v1 = p0 - p1;
    const QPointF v2 = p2 - p1;
    const double l1 = std::hypot(v1.x(), v1.y());
    const double l2 = std::hypot(v2.x(), v2.y());
    const double cross = v1.x() * v2.y() - v1.y() * v2.x();
    if (radius <= 0 || l1 == 0 || l2 == 0 || std::abs(cross) <= 1e-9 * l1 * l2) {
        arc.isLine = true;
        arc.tangentStart = arc.tangentEnd = p1;
        return arc;
    }
    const QPointF u1 = v1 / l1;
    const QPointF u2 = v2 / l2;
    const double cosTheta = std::clamp(u1.x() * u2.x() + u1.y() * u2.y(), -1.0, 1.0);
    const double theta = std::acos(cosTheta); // the angle at p1 between the two lines
    const double d = radius / std::tan(theta / 2);
    arc.tangentStart = p1 + u1 * d;
    arc.tangentEnd = p1 + u2 * d;
    QPointF bisector = u1 + u2;
    bisector /= std::hypot(bisector.x(), bisector.y());
    arc.center = p1 + bisector * (radius / std::sin(theta / 2));
    arc.radius = radius;
    arc.startAngle = qtAngle(arc.center, arc.tangentStart);
    double sweep = qtAngle(arc.center, arc.tangentEnd) - arc.startAngle;
    while (sweep > 180)
        sweep -= 360;
    while (sweep <= -180)
        sweep += 360;
    arc.sweepLength = sweep;
    return arc;
}

void GraphicsContext::addArcToPoint(double x1, double y1, double x2, double y2, double radius)
{
    if (!m_hasCurrentPoint) {
        moveToPoint(x1, y1);
        return;
    }
    const TangentArc arc = tangentArc(m_path.currentPosition(), {x1, y1}, {x2, y2}, radius);
    if (arc.isLine) {
        m_path.lineTo(x1, y1);
        return;
    }
    m_path.lineTo(arc.tangentStart);
    const QRectF box(arc.center.x() - radius, arc.center.y() - radius, 2 * radius, 2 * radius);
    m_path.arcTo(box, arc.startAngle, arc.sweepLength);
    // The arc's end is computed through angles; the tangent point itself is exact.
    if (m_path.currentPosition() != arc.tangentEnd)
        m_path.lineTo(arc.tangentEnd);
}

void GraphicsContext::addArc(double x, double y, double radius, double startAngle, double endAngle,
                             bool clockwise)
{
    double sweep = endAngle - startAngle;
    if (!clockwise) {
        while (sweep < 0)
            sweep += 2 * kPi;
    } else {
        while (sweep > 0)
            sweep -= 2 * kPi;
    }
    const QPointF start(x + radius * std::cos(startAngle), y + radius * std::sin(startAngle));
    if (m_hasCurrentPoint)
        m_path.lineTo(start);
    else
        moveToPoint(start.x(), start.y());
    const QRectF box(x - radius, y - radius, 2 * radius, 2 * radius);
    // View angles grow towards +y (down the screen); QPainterPath's grow counter-clockwise.
    m_path.arcTo(box, -startAngle * 180.0 / kPi, -sweep * 180.0 / kPi);
}

void GraphicsContext::addRect(const QRectF& rect)
{
    m_path.addRect(rect);
    m_hasCurrentPoint = true;
}

void GraphicsContext::addEllipseInRect(const QRectF& rect)
{
    m_path.addEllipse(rect);
    m_hasCurrentPoint = true;
}

void GraphicsContext::closePath()
{
    if (m_hasCurrentPoint)
        m_path.closeSubpath();
}

void GraphicsContext::fillPath()
{
    drawPath(PathDrawingMode::Fill);
}

void GraphicsContext::strokePath()
{
    drawPath(PathDrawingMode::Stroke);
}

void GraphicsContext::drawPath(PathDrawingMode mode)
{
    const bool evenOdd = mode == PathDrawingMode::EOFill || mode == PathDrawingMode::EOFillStroke;
    m_path.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    if (mode != PathDrawingMode::Stroke)
        m_painter->fillPath(m_path, m_state.fill);
    if (mode == PathDrawingMode::Stroke || mode == PathDrawingMode::FillStroke ||
        mode == PathDrawingMode::EOFillStroke)
        m_painter->strokePath(m_path, QPen(m_state.stroke, m_state.lineWidth, Qt::SolidLine,
                                           Qt::FlatCap, Qt::MiterJoin));
    beginPath();
}

void GraphicsContext::drawImage(const QRectF& rect, const QImage& image)
{
    if (image.isNull())
        return;
    m_painter->drawImage(rect, image, QRectF(QPointF(0, 0), QSizeF(image.size())));
}

void GraphicsContext::drawImage(const QRectF& rect, const QImage& image, BlendMode mode, double alpha)
{
    if (image.isNull())
        return;
    m_painter->save();
    applyBlend(mode);
    m_painter->setOpacity(m_painter->opacity() * alpha);
    drawImage(rect, image);
    m_painter->restore();
}

void GraphicsContext::drawImageBottomUp(const QRectF& rect, const QImage& image)
{
    if (image.isNull())
        return;
    m_painter->save();
    m_painter->translate(rect.x(), rect.y() + rect.height());
    m_painter->scale(1, -1);
    drawImage(QRectF(0, 0, rect.width(), rect.height()), image);
    m_painter->restore();
}

QString GraphicsContext::fitLine(const QString& text, const QFont& font, double width, LineBreakMode mode)
{
    const QFontMetricsF metrics(font);
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    switch (mode) {
    case LineBreakMode::TailTruncation:
        return metrics.elidedText(line, Qt::ElideRight, width);
    case LineBreakMode::HeadTruncation:
        return metrics.elidedText(line, Qt::ElideLeft, width);
    case LineBreakMode::MiddleTruncation:
        return metrics.elidedText(line, Qt::ElideMiddle, width);
    case LineBreakMode::Clip:
        return line;
    case LineBreakMode::CharacterWrap:
        return line.left(fittingLength(line, metrics, width));
    case LineBreakMode::WordWrap: {
        const int fits = fittingLength(line, metrics, width);
        // Break after the last blank that still fits; a first word longer than the width
        // is broken between characters.
        for (int i = fits; i > 0; --i) {
            if (line.at(i).isSpace() || line.at(i - 1).isSpace())
                return line.left(i).trimmed();
        }
        return line.left(fits);
    }
    }
    return line;
}

QSizeF GraphicsContext::sizeWithFont(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text), metrics.ascent() + metrics.descent()};
}

QSizeF GraphicsContext::sizeWithFont(const QString& text, const QFont& font, double width, LineBreakMode mode)
{
    const QString line = fitLine(text, font, width, mode);
    QSizeF size = sizeWithFont(line, font);
    size.setWidth(std::min(size.width(), width));
    return size;
}

namespace {

// Wrapped text laid out line by line at the layout's own pitch (which rounds, and so differs
// from ascent + descent); only the lines that fit a height (0: any) count.
constexpr double kTabStop = 28;

struct WrappedText
{
    QTextLayout layout;
    int lineCount = 0;
    double width = 0;
    double height = 0;

    WrappedText(const QString& text, const QFont& font, QSizeF constrained, LineBreakMode mode,
                Qt::Alignment alignment)
        : layout(QString(text).replace(QLatin1Char('\n'), QChar::LineSeparator), font)
    {
        // A line feed starts a new line, as on the phone (the layout alone would draw it as a
        // space), and tabs stop every 28 points, as there.
        QTextOption option;
        option.setTabStopDistance(kTabStop);
        option.setWrapMode(mode == LineBreakMode::WordWrap ? QTextOption::WordWrap : QTextOption::WrapAnywhere);
        option.setAlignment(alignment);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(constrained.width());
            line.setPosition(QPointF(0, height));
            const double next = height + line.height();
            if (constrained.height() > 0 && lineCount > 0 && next > constrained.height() + 0.01)
                break;
            height = next;
            width = std::max(width, line.naturalTextWidth());
            ++lineCount;
        }
        layout.endLayout();
    }
};

} // namespace

QSizeF GraphicsContext::sizeWithFont(const QString& text, const QFont& font, QSizeF constrained,
                                     LineBreakMode mode)
{
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.ascent() + metrics.descent();
    if (mode != LineBreakMode::WordWrap && mode != LineBreakMode::CharacterWrap)
        return sizeWithFont(text, font, constrained.width(), mode);
    const WrappedText wrapped(text, font, constrained, mode, Qt::AlignLeft);
    return {std::min(wrapped.width, constrained.width()), std::max(lineHeight, wrapped.height)};
}

QSizeF GraphicsContext::drawText(const QString& text, QPointF point, const QFont& font)
{
    if (text.isEmpty())
        return {0, 0};
    const QFontMetricsF metrics(font);
    m_painter->save();
    m_painter->setFont(font);
    m_painter->setPen(m_state.fill);
    m_painter->drawText(QPointF(point.x(), point.y() + metrics.ascent()), text);
    m_painter->restore();
    return sizeWithFont(text, font);
}

QSizeF GraphicsContext::drawText(const QString& text, QPointF point, double width, const QFont& font,
                                 LineBreakMode mode)
{
    if (text.isEmpty() || width <= 0)
        return {0, 0};
    const QString line = fitLine(text, font, width, mode);
    const QFontMetricsF metrics(font);
    m_painter->save();
    m_painter->setFont(font);
    m_painter->setPen(m_state.fill);
    if (mode == LineBreakMode::Clip)
        m_painter->setClipRect(QRectF(point.x(), point.y(), width, metrics.ascent() + metrics.descent()),
                               Qt::IntersectClip);
    m_painter->drawText(QPointF(point.x(), point.y() + metrics.ascent()), line);
    m_painter->restore();
    return {std::min(metrics.horizontalAdvance(line), width), metrics.ascent() + metrics.descent()};
}

QSizeF GraphicsContext::drawTextInRect(const QString& text, const QRectF& rect, const QFont& font,
                                       LineBreakMode mode, TextAlignment alignment)
{
    if (text.isEmpty())
        return {0, 0};
    const int align = alignment == TextAlignment::Center ? Qt::AlignHCenter
                      : alignment == TextAlignment::Right ? Qt::AlignRight
                                                          : Qt::AlignLeft;
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.ascent() + metrics.descent();
    if (mode != LineBreakMode::WordWrap && mode != LineBreakMode::CharacterWrap) {
        const QString line = fitLine(text, font, rect.width(), mode);
        const double w = metrics.horizontalAdvance(line);
        double x = rect.x();
        if (alignment == TextAlignment::Center)
            x += (rect.width() - w) / 2;
        else if (alignment == TextAlignment::Right)
            x += rect.width() - w;
        drawText(line, QPointF(x, rect.y()), font);
        return {std::min(w, rect.width()), lineHeight};
    }
    // Measured and drawn from one layout, so exactly the lines that fit are drawn, whole.
    const WrappedText wrapped(text, font, rect.size(), mode, Qt::Alignment(align));
    m_painter->save();
    m_painter->setPen(m_state.fill);
    for (int i = 0; i < wrapped.lineCount; ++i)
        wrapped.layout.lineAt(i).draw(m_painter, rect.topLeft());
    m_painter->restore();
    return {std::min(wrapped.width, rect.width()), std::max(lineHeight, wrapped.height)};
}
