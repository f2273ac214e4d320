#include "platform/ui/Slider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr double kThumb = 28;
}

Slider::Slider(QWidget* parent) : QWidget(parent)
{
    resize(200, 34);
}

void Slider::setValue(float value)
{
    m_value = std::clamp(value, m_minimum, std::max(m_minimum, m_maximum));
    update();
}

void Slider::setMinimumValue(float value)
{
    m_minimum = value;
    setValue(m_value);
}

void Slider::setMaximumValue(float value)
{
    m_maximum = value;
    setValue(m_value);
}

double Slider::xForValue(float value) const
{
    const double span = m_maximum - m_minimum;
    const double t = span > 0 ? (value - m_minimum) / span : 0;
    return kThumb / 2 + t * (width() - kThumb);
}

float Slider::valueForX(double x) const
{
    const double usable = std::max(1.0, width() - kThumb);
    const double t = std::clamp((x - kThumb / 2) / usable, 0.0, 1.0);
    return float(m_minimum + t * (m_maximum - m_minimum));
}

void Slider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double cy = height() / 2.0;
    const double x = xForValue(m_value);
    const QRectF track(kThumb / 2, cy - 2, width() - kThumb, 4);
    QPainterPath full;
    full.addRoundedRect(track, 2, 2);
    p.fillPath(full, QColor(183, 183, 183));
    QPainterPath done;
    done.addRoundedRect(QRectF(track.left(), track.top(), x - track.left(), track.height()), 2, 2);
    p.fillPath(done, QColor(0, 122, 255));
    const QRectF thumb(x - kThumb / 2, cy - kThumb / 2, kThumb, kThumb);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(thumb.translated(0, 1.5));
    p.setPen(QPen(QColor(0, 0, 0, 50), 0.6));
    p.setBrush(m_tracking ? QColor(245, 245, 245) : QColor(Qt::white));
    p.drawEllipse(thumb);
}

void Slider::moveTo(double x)
{
    const float v = valueForX(x - m_grabOffset);
    if (v == m_value)
        return;
    m_value = v;
    update();
    if (m_continuous)
        Q_EMIT valueChanged(this);
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    m_tracking = true;
    const double x = event->position().x();
    const double thumbX = xForValue(m_value);
    // Grabbing the thumb keeps it under the finger; a press on the track jumps there.
    m_grabOffset = std::abs(x - thumbX) <= kThumb / 2 ? x - thumbX : 0;
    Q_EMIT touchDown(this);
    moveTo(x);
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (m_tracking)
        moveTo(event->position().x());
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_tracking)
        return;
    moveTo(event->position().x());
    m_tracking = false;
    update();
    if (!m_continuous)
        Q_EMIT valueChanged(this);
    if (rect().adjusted(-70, -70, 70, 70).contains(event->position().toPoint()))
        Q_EMIT touchUpInside(this);
    else
        Q_EMIT touchUpOutside(this);
    Q_EMIT valueChangeEnded(this);
}
