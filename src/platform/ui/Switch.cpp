#include "platform/ui/Switch.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/KeyboardFocus.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

Switch::Switch(QWidget* parent) : QAbstractButton(parent)
{
    resize(51, 31);
    setCheckable(true);
    KeyboardFocus::install(this);
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (m_byCode)
            return;
        moveKnob(on, true);
        Q_EMIT valueChanged(on);
    });
}

void Switch::setOnTintColor(const QColor& color)
{
    m_onTint = color;
    update();
}

void Switch::setOn(bool on, bool animated)
{
    m_byCode = true;
    setChecked(on);
    m_byCode = false;
    moveKnob(on, animated);
}

void Switch::toggle()
{
    if (isEnabled())
        setChecked(!isChecked());
}

void Switch::showEvent(QShowEvent* event)
{
    QAbstractButton::showEvent(event);
    Accessibility::nameAfterLabel(this);
}

void Switch::moveKnob(bool on, bool animated)
{
    if (m_animation)
        m_animation->stop();
    if (!animated || !isVisible()) {
        m_position = on ? 1 : 0;
        update();
        return;
    }
    if (!m_animation) {
        m_animation = new QVariantAnimation(this);
        m_animation->setDuration(200);
        connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            m_position = v.toDouble();
            update();
        });
    }
    m_animation->setStartValue(m_position);
    m_animation->setEndValue(on ? 1.0 : 0.0);
    m_animation->start();
}

void Switch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double r = track.height() / 2;
    QPainterPath path;
    path.addRoundedRect(track, r, r);
    const QColor off(229, 229, 229);
    QColor fill;
    fill.setRgbF(float(off.redF() + (m_onTint.redF() - off.redF()) * m_position),
                 float(off.greenF() + (m_onTint.greenF() - off.greenF()) * m_position),
                 float(off.blueF() + (m_onTint.blueF() - off.blueF()) * m_position));
    p.fillPath(path, fill);
    if (m_position < 1) {
        // The white inner field that shrinks away as the switch turns on.
        const double s = 1 - m_position;
        const QRectF inner(track.center().x() - (track.width() - 3) * s / 2, track.center().y() - (track.height() - 3) * s / 2,
                           (track.width() - 3) * s, (track.height() - 3) * s);
        QPainterPath innerPath;
        innerPath.addRoundedRect(inner, inner.height() / 2, inner.height() / 2);
        p.fillPath(innerPath, Qt::white);
    }
    const double d = track.height() - 3;
    const double x = track.left() + 1.5 + (track.width() - 3 - d) * m_position;
    const QRectF knob(x, track.top() + 1.5, d, d);
    p.setPen(QPen(QColor(0, 0, 0, 40), 0.8));
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawEllipse(knob.translated(0, 1.5));
    p.setBrush(isEnabled() ? QColor(Qt::white) : QColor(240, 240, 240));
    p.drawEllipse(knob);
    KeyboardFocus::paintRing(p, this, path);
}

