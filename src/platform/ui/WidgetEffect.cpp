#include "platform/ui/WidgetEffect.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace {

// The part of a widget its parents leave visible, in its own coordinates: what Qt clips a
// widget's drawing to.
QRect visiblePart(const QWidget* widget)
{
    QRect part = widget->rect();
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        part &= parent->rect().translated(-widget->mapTo(parent, QPoint(0, 0)));
        if (parent->isWindow())
            break;
    }
    return part;
}

} // namespace

WidgetEffect::WidgetEffect(QObject* parent)
    : QGraphicsEffect(parent)
{
}

void WidgetEffect::setOpacity(qreal opacity)
{
    opacity = std::clamp<qreal>(opacity, 0.0, 1.0);
    if (qFuzzyCompare(opacity, m_opacity))
        return;
    m_opacity = opacity;
    update();
}

void WidgetEffect::setShadow(QColor color, QPointF offset)
{
    m_shadowColor = color;
    m_shadowOffset = offset;
    updateBoundingRect();
    update();
}

QRectF WidgetEffect::boundingRectFor(const QRectF& rect) const
{
    return m_shadowColor.isValid() ? rect.united(rect.translated(m_shadowOffset)) : rect;
}

void WidgetEffect::draw(QPainter* painter)
{
    if (qFuzzyIsNull(m_opacity))
        return;
    const bool scaled = painter->worldTransform().isScaling();
    if (!scaled && qFuzzyCompare(m_opacity, 1.0) && !m_shadowColor.isValid()) {
        drawSource(painter);
        return;
    }
    QPoint offset;
    const QPixmap picture = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (picture.isNull())
        return;

    painter->save();
    // Under a scale, Qt's clip stands where the widget would be unscaled: it gives way to the
    // same clip set through the painter, which scales it.
    QPaintEngine* engine = scaled ? painter->paintEngine() : nullptr;
    const QRegion qtClip = engine ? engine->systemClip() : QRegion();
    if (engine) {
        engine->setSystemClip(QRegion());
        if (const auto* widget = qobject_cast<const QWidget*>(parent()))
            painter->setClipRect(visiblePart(widget), Qt::IntersectClip);
    }
    painter->setOpacity(painter->opacity() * m_opacity);
    if (m_shadowColor.isValid()) {
        QPixmap shadow(picture.size());
        shadow.setDevicePixelRatio(picture.devicePixelRatio());
        shadow.fill(Qt::transparent);
        QPainter tint(&shadow);
        tint.drawPixmap(0, 0, picture);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(shadow.rect(), m_shadowColor);
        tint.end();
        painter->drawPixmap(QPointF(offset) + m_shadowOffset, shadow);
    }
    painter->drawPixmap(offset, picture);
    if (engine)
        engine->setSystemClip(qtClip);
    painter->restore();
}
