#include "platform/ui/Slider.h"

#include "platform/ui/Accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr double kThumb = 28;

int whole(float value)
{
    return int(std::lround(value));
}
} // namespace

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(0, 1);
    // Taken by Tab, as the buttons are, so that a tap leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    resize(200, 34);
    connect(this, &QAbstractSlider::valueChanged, this, &Slider::positionChanged);
}

void Slider::setValue(float value)
{
    m_byCode = true;
    QSlider::setValue(whole(value));
    m_byCode = false;
}

void Slider::setMinimumValue(float value)
{
    m_byCode = true;
    setMinimum(whole(value));
    m_byCode = false;
}

void Slider::setMaximumValue(float value)
{
    m_byCode = true;
    setMaximum(whole(value));
    m_byCode = false;
}

void Slider::positionChanged()
{
    if (m_byCode)
        return;
    if (isSliderDown()) {
        if (m_continuous)
            Q_EMIT valueChanged(this);
    } else if (m_keyHeld) {
        m_keyMoved = true;
        Q_EMIT valueChanged(this);
    } else {
        // Set from outside our own face (a reader): a change made and finished at once.
        Q_EMIT valueChanged(this);
        Q_EMIT valueChangeEnded(this);
    }
}

double Slider::xForValue(float value) const
{
    const double span = maximum() - minimum();
    const double t = span > 0 ? (value - minimum()) / span : 0;
    return kThumb / 2 + t * (width() - kThumb);
}

int Slider::valueForX(double x) const
{
    const double usable = std::max(1.0, width() - kThumb);
    const double t = std::clamp((x - kThumb / 2) / usable, 0.0, 1.0);
    return int(std::lround(minimum() + t * (maximum() - minimum())));
}

void Slider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double cy = height() / 2.0;
    const double x = xForValue(value());
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
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(thumb.adjusted(-2, -2, 2, 2));
    }
    p.setPen(QPen(QColor(0, 0, 0, 50), 0.6));
    p.setBrush(isSliderDown() ? QColor(245, 245, 245) : QColor(Qt::white));
    p.drawEllipse(thumb);
}

void Slider::moveTo(double x)
{
    setSliderPosition(valueForX(x - m_grabOffset));
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    const double x = event->position().x();
    const double thumbX = xForValue(value());
    // Grabbing the thumb keeps it under the finger; a press on the track jumps there.
    m_grabOffset = std::abs(x - thumbX) <= kThumb / 2 ? x - thumbX : 0;
    setSliderDown(true);
    Q_EMIT touchDown(this);
    moveTo(x);
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (isSliderDown())
        moveTo(event->position().x());
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isSliderDown())
        return;
    moveTo(event->position().x());
    setSliderDown(false);
    update();
    if (!m_continuous)
        Q_EMIT valueChanged(this);
    if (rect().adjusted(-70, -70, 70, 70).contains(event->position().toPoint()))
        Q_EMIT touchUpInside(this);
    else
        Q_EMIT touchUpOutside(this);
    Q_EMIT valueChangeEnded(this);
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    m_keyHeld = true;
    QSlider::keyPressEvent(event);
    m_keyHeld = false;
}

void Slider::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    // The key is let go: the change it made (over any repeats) is finished.
    if (std::exchange(m_keyMoved, false))
        Q_EMIT valueChangeEnded(this);
}

void Slider::focusOutEvent(QFocusEvent* event)
{
    QSlider::focusOutEvent(event);
    // Tab pressed while an arrow is still held: the release goes elsewhere.
    if (std::exchange(m_keyMoved, false))
        Q_EMIT valueChangeEnded(this);
}

void Slider::wheelEvent(QWheelEvent* event)
{
    // The wheel scrolls the screen the slider stands on, as a finger's drag beside it would.
    event->ignore();
}

void Slider::showEvent(QShowEvent* event)
{
    QSlider::showEvent(event);
    Accessibility::nameAfterLabel(this);
}
