#include "platform/ui/BackButton.h"

#include "platform/ui/KeyboardFocus.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kHeight = 30;
constexpr int kArrow = 11;   // depth of the pointed left end
constexpr int kPadding = 8;
constexpr int kMaxWidth = 110;

QFont buttonFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}
} // namespace

BackButton::BackButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFont(buttonFont());
    setCursor(Qt::PointingHandCursor);
    KeyboardFocus::install(this);
}

void BackButton::setBaseColor(const QColor& color)
{
    m_base = color;
    update();
}

QSize BackButton::sizeHint() const
{
    const int textWidth = QFontMetrics(font()).horizontalAdvance(text());
    return {qMin(kMaxWidth, kArrow + kPadding + textWidth + kPadding), kHeight};
}

void BackButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = 5;

    QPainterPath path;
    path.moveTo(r.left(), r.center().y());
    path.lineTo(r.left() + kArrow, r.top());
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(r.right(), r.bottom() - radius);
    path.arcTo(QRectF(r.right() - 2 * radius, r.bottom() - 2 * radius, 2 * radius, 2 * radius), 0, -90);
    path.lineTo(r.left() + kArrow, r.bottom());
    path.closeSubpath();

    QColor base = m_base;
    if (isDown())
        base = base.darker(140);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, base.lighter(135));
    fill.setColorAt(0.5, base);
    fill.setColorAt(1, base.darker(115));
    p.fillPath(path, fill);
    p.setPen(QPen(base.darker(200), 1));
    p.drawPath(path);

    p.setFont(font());
    const QRect textRect = rect().adjusted(kArrow + 2, 0, -kPadding + 2, 0);
    const QString shown = QFontMetrics(font()).elidedText(text(), Qt::ElideRight, textRect.width());
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(textRect.translated(0, -1), Qt::AlignCenter, shown);
    p.setPen(isEnabled() ? Qt::white : QColor(255, 255, 255, 120));
    p.drawText(textRect, Qt::AlignCenter, shown);
    KeyboardFocus::paintRing(p, this, path);
}
