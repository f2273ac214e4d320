#include "views/RoundedRectView.h"

#include "platform/ui/GraphicsContext.h"

#include <QPainter>

#include <algorithm>

RoundedRectView::RoundedRectView(QWidget* parent) : QWidget(parent)
{
    // Nothing but the drawn shape: no background fill, and Qt must paint what lies behind.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_NoSystemBackground, true);
}

RoundedRectView::RoundedRectView(const QRect& frame, QWidget* parent) : RoundedRectView(parent)
{
    setGeometry(frame);
}

void RoundedRectView::setStrokeColor(const QColor& color)
{
    m_strokeColor = color;
    update();
}

void RoundedRectView::setRectColor(const QColor& color)
{
    m_rectColor = color;
    update();
}

void RoundedRectView::setStrokeWidth(double width)
{
    m_strokeWidth = width;
    update();
}

void RoundedRectView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    update();
}

double RoundedRectView::effectiveRadius() const
{
    return std::min({m_cornerRadius, width() / 2.0, height() / 2.0});
}

void RoundedRectView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    GraphicsContext ctx(&painter);
    ctx.setLineWidth(m_strokeWidth);
    ctx.setStrokeColor(m_strokeColor);
    ctx.setFillColor(m_rectColor);

    const QRectF b = rect();
    const double r = effectiveRadius();
    const double minX = b.left(), midX = b.center().x(), maxX = b.right();
    const double minY = b.top(), midY = b.center().y(), maxY = b.bottom();
    ctx.moveToPoint(minX, midY);
    ctx.addArcToPoint(minX, minY, midX, minY, r);
    ctx.addArcToPoint(maxX, minY, maxX, midY, r);
    ctx.addArcToPoint(maxX, maxY, midX, maxY, r);
    ctx.addArcToPoint(minX, maxY, minX, midY, r);
    ctx.closePath();
    ctx.drawPath(PathDrawingMode::FillStroke);
}
