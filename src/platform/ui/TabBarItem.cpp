#include "platform/ui/TabBarItem.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <QtMath>

TabBarItem::TabBarItem(const QString& title, const QImage& image, int tag, QObject* parent)
    : QObject(parent)
    , m_title(title)
    , m_image(image)
    , m_tag(tag)
{
}

TabBarItem::TabBarItem(SystemItem systemItem, int tag, QObject* parent)
    : QObject(parent)
    , m_title(systemTitle(systemItem))
    , m_image(systemImage(systemItem))
    , m_tag(tag)
    , m_systemItem(systemItem)
{
}

void TabBarItem::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    Q_EMIT changed();
}

void TabBarItem::setImage(const QImage& image)
{
    m_image = image;
    Q_EMIT changed();
}

void TabBarItem::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Q_EMIT changed();
}

QString TabBarItem::systemTitle(SystemItem item)
{
    switch (item) {
    case SystemItem::Favorites:
        return QStringLiteral("Favorites");
    case SystemItem::Search:
        return QStringLiteral("Search");
    case SystemItem::More:
        return QStringLiteral("More");
    case SystemItem::None:
        break;
    }
    return {};
}

QImage TabBarItem::systemImage(SystemItem item)
{
    // Drawn at twice the point size so that they stay sharp on HiDPI screens.
    const int size = 60;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(2.0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    switch (item) {
    case SystemItem::Favorites: {
        // A five-pointed star.
        QPainterPath star;
        const QPointF c(15, 15.5);
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? 14.0 : 5.8;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        star.closeSubpath();
        p.drawPath(star);
        break;
    }
    case SystemItem::Search: {
        // A magnifying glass.
        QPen pen(Qt::black, 3.2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12.5, 12.5), 8.5, 8.5);
        pen.setWidthF(4.5);
        p.setPen(pen);
        p.drawLine(QPointF(19, 19), QPointF(27, 27));
        break;
    }
    case SystemItem::More:
        // Three dots.
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(5 + i * 10, 15), 3.6, 3.6);
        break;
    case SystemItem::None:
        break;
    }
    return image;
}

void TabBarItem::showItems(const QList<TabBarItem*>& items, QList<QPointer<TabBarItem>>& shown, QWidget* view)
{
    for (const auto& item : std::as_const(shown)) {
        if (item)
            disconnect(item, nullptr, view, nullptr);
    }
    shown.clear();
    for (TabBarItem* item : items) {
        shown.append(item);
        if (item)
            connect(item, &TabBarItem::changed, view, qOverload<>(&QWidget::update));
    }
    view->update();
}
