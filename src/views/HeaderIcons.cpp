#include "views/HeaderIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {
constexpr int kPoints = 22;
constexpr double kScale = 2.0;

QImage draw(const std::function<void(QPainter&)>& art)
{
    QImage image(int(kPoints * kScale), int(kPoints * kScale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(kScale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    art(p);
    return image;
}
} // namespace

QImage HeaderIcons::refresh()
{
    static const QImage image = draw([](QPainter& p) {
        const QRectF circle(4, 4, 14, 14);
        p.drawArc(circle, 60 * 16, 280 * 16);
        // The arrow head at the arc's open end, pointing along the turn.
        const double a = 60 * M_PI / 180;
        const QPointF tip(11 + 7 * std::cos(a), 11 - 7 * std::sin(a));
        QPainterPath head;
        head.moveTo(tip + QPointF(-4.5, -2.5));
        head.lineTo(tip);
        head.lineTo(tip + QPointF(-1, 4.5));
        p.drawPath(head);
    });
    return image;
}

QImage HeaderIcons::search()
{
    static const QImage image = draw([](QPainter& p) {
        p.drawEllipse(QRectF(3, 3, 11, 11));
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 13), QPointF(19, 19));
    });
    return image;
}

QImage HeaderIcons::settings()
{
    static const QImage image = draw([](QPainter& p) {
        const QPointF c(11, 11);
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            p.drawLine(c + QPointF(5.5 * std::cos(a), 5.5 * std::sin(a)),
                       c + QPointF(8.5 * std::cos(a), 8.5 * std::sin(a)));
        }
        p.setPen(QPen(Qt::white, 2.2));
        p.drawEllipse(c, 5.5, 5.5);
        p.drawEllipse(c, 2, 2);
    });
    return image;
}

QImage HeaderIcons::filters()
{
    static const QImage image = draw([](QPainter& p) {
        QPainterPath funnel;
        funnel.moveTo(3, 4);
        funnel.lineTo(19, 4);
        funnel.lineTo(13, 11);
        funnel.lineTo(13, 18);
        funnel.lineTo(9, 16);
        funnel.lineTo(9, 11);
        funnel.closeSubpath();
        p.drawPath(funnel);
    });
    return image;
}
