#include "platform/ui/ActivityIndicatorView.h"

#include <QPainter>
#include <QTimer>

#include <cmath>

ActivityIndicatorView::ActivityIndicatorView(Style style, QWidget* parent)
    : QWidget(parent), m_style(style), m_timer(new QTimer(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(sizeHint());
    m_timer->setInterval(83);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % 12;
        update();
    });
    setVisible(!m_hidesWhenStopped);
}

QSize ActivityIndicatorView::sizeHint() const
{
    return m_style == Style::WhiteLarge ? QSize(37, 37) : QSize(20, 20);
}

void ActivityIndicatorView::setStyle(Style style)
{
    m_style = style;
    resize(sizeHint());
    update();
}

void ActivityIndicatorView::startAnimating()
{
    m_timer->start();
    show();
}

void ActivityIndicatorView::stopAnimating()
{
    m_timer->stop();
    if (m_hidesWhenStopped)
        hide();
}

bool ActivityIndicatorView::isAnimating() const
{
    return m_timer->isActive();
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides)
{
    m_hidesWhenStopped = hides;
    if (!isAnimating())
        setVisible(!hides);
}

void ActivityIndicatorView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double size = std::min(width(), height());
    const QColor ink = m_style == Style::Gray ? QColor(110, 110, 110) : QColor(Qt::white);
    p.translate(width() / 2.0, height() / 2.0);
    const double outer = size / 2;
    const double inner = outer * 0.45;
    const double thickness = size * (m_style == Style::WhiteLarge ? 0.11 : 0.1);
    for (int i = 0; i < 12; ++i) {
        // The spoke at the head of the turn is darkest; the eight behind it fade out.
        const int age = (m_step - i + 12) % 12;
        QColor c = ink;
        c.setAlphaF(float(std::max(0.25, 1.0 - age * 0.09)));
        p.save();
        p.rotate(i * 30.0);
        p.setPen(QPen(c, thickness, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -inner), QPointF(0, -outer + thickness / 2));
        p.restore();
    }
}
