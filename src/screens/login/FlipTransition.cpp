#include "screens/login/FlipTransition.h"

#include <QPainter>
#include <QPointer>
#include <QTransform>
#include <QVariantAnimation>
#include <QWidget>

namespace {

// Paints one frame of the turn: the old picture up to a quarter turn, the new one after it.
class FlipOverlay : public QWidget
{
public:
    FlipOverlay(QWidget* host, QPixmap from, QPixmap to, FlipTransition::From side)
        : QWidget(host), m_from(std::move(from)), m_to(std::move(to)),
          m_sign(side == FlipTransition::From::Right ? 1.0 : -1.0)
    {
        setGeometry(host->rect());
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setProgress(double progress)
    {
        m_progress = progress;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const double angle = m_progress * 180.0;
        const bool first = angle < 90.0;
        const QPixmap& picture = first ? m_from : m_to;
        const double turn = first ? angle : angle - 180.0;
        const QPointF centre = QRectF(rect()).center();
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(m_sign * turn, Qt::YAxis);
        t.translate(-centre.x(), -centre.y());
        p.setTransform(t);
        p.drawPixmap(rect(), picture);
    }

private:
    QPixmap m_from;
    QPixmap m_to;
    double m_sign;
    double m_progress = 0;
};

} // namespace

void FlipTransition::flip(QWidget* host, const QPixmap& from, const QPixmap& to, From side,
                          std::function<void()> done)
{
    if (!host) {
        if (done)
            done();
        return;
    }
    auto* overlay = new FlipOverlay(host, from, to, side);
    overlay->show();
    overlay->raise();
    auto* animation = new QVariantAnimation(overlay);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(kDuration);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    QObject::connect(animation, &QVariantAnimation::valueChanged, overlay,
                     [overlay](const QVariant& value) { overlay->setProgress(value.toDouble()); });
    QPointer<FlipOverlay> guard(overlay);
    QObject::connect(animation, &QVariantAnimation::finished, overlay, [guard, done] {
        if (done)
            done();
        if (guard)
            guard->deleteLater();
    });
    animation->start();
}
