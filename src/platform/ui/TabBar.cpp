#include "platform/ui/TabBar.h"

#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kIconSize = 30;
constexpr int kIconTop = 3;

QFont titleFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    return font;
}
} // namespace

TabBar::TabBar(QWidget* parent)
    : QWidget(parent)
{
    resize(320, TabBarController::kBarHeight);
    // Reached by the Tab key only: a click on a tab leaves the focus where it was (in a text
    // field being edited, for instance).
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Tab bar"));
}

QSize TabBar::sizeHint() const
{
    return {320, TabBarController::kBarHeight};
}

void TabBar::setItems(const QList<TabBarItem*>& items)
{
    TabBarItem::showItems(items, m_items, this);
}

QList<TabBarItem*> TabBar::items() const
{
    QList<TabBarItem*> list;
    for (const auto& item : m_items)
        list.append(item.data());
    return list;
}

void TabBar::setSelectedIndex(int index)
{
    m_selected = index;
    // The ring follows the selection: it never stays on a tab that is not the one showing.
    if (index >= 0 && index < m_items.size())
        m_focusIndex = index;
    update();
}

void TabBar::setTintColor(const QColor& color)
{
    m_tint = color;
    update();
}

void TabBar::setBarTintColor(const QColor& color)
{
    m_barTint = color;
    update();
}

QRect TabBar::itemRect(int index) const
{
    const int count = qMax(1, int(m_items.size()));
    // Items share the width; on a tablet-wide bar they keep 76 points each, centred.
    const int itemWidth = width() > 400 ? qMin(width() / count, 76) : width() / count;
    const int left = (width() - itemWidth * count) / 2;
    return {left + index * itemWidth, 0, itemWidth, height()};
}

int TabBar::indexAt(QPoint pos) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (itemRect(i).contains(pos))
            return i;
    }
    return -1;
}

QImage TabBar::tintImage(const QImage& mask, QSize points, const QBrush& brush, qreal deviceRatio)
{
    const qreal ratio = std::max<qreal>(2.0, deviceRatio);
    QImage out(QSize(int(std::ceil(points.width() * ratio)), int(std::ceil(points.height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (mask.isNull())
        return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF source = mask.deviceIndependentSize();
    QSizeF fitted = source;
    if (fitted.width() > points.width() || fitted.height() > points.height())
        fitted.scale(points, Qt::KeepAspectRatio);
    const QRectF target(QPointF((points.width() - fitted.width()) / 2 * ratio,
                                (points.height() - fitted.height()) / 2 * ratio),
                        fitted * ratio);
    p.drawImage(target, mask);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.scale(ratio, ratio);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(points)), brush);
    p.end();
    out.setDevicePixelRatio(ratio);
    return out;
}

void TabBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // Background: the bar tint flat, or the classic dark gradient.
    if (m_barTint.isValid()) {
        p.fillRect(rect(), m_barTint);
        p.setPen(QColor(255, 255, 255, 40));
    } else {
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0x3a, 0x3a, 0x3a));
        fill.setColorAt(0.5, QColor(0x16, 0x16, 0x16));
        fill.setColorAt(0.5001, QColor(0x03, 0x03, 0x03));
        fill.setColorAt(1, QColor(0x00, 0x00, 0x00));
        p.fillRect(rect(), fill);
        p.setPen(QColor(0x55, 0x55, 0x55));
    }
    p.drawLine(0, 0, width(), 0);

    const QFont font = titleFont();
    p.setFont(font);
    for (int i = 0; i < m_items.size(); ++i) {
        TabBarItem* item = m_items.at(i);
        if (!item)
            continue;
        const QRect r = itemRect(i);
        const bool selected = i == m_selected;
        const bool enabled = item->isEnabled();
        if (selected && !m_tint.isValid()) {
            // The lighter rounded box behind the selected item.
            QPainterPath box;
            box.addRoundedRect(QRectF(r).adjusted(2.5, 2.5, -2.5, -1.5), 4, 4);
            p.fillPath(box, QColor(255, 255, 255, 36));
        }
        QBrush brush;
        if (selected) {
            if (m_tint.isValid()) {
                brush = m_tint;
            } else {
                QLinearGradient blue(0, 0, 0, kIconSize);
                blue.setColorAt(0, QColor(0x9e, 0xdc, 0xff));
                blue.setColorAt(0.5, QColor(0x2a, 0xa6, 0xf5));
                blue.setColorAt(1, QColor(0x0d, 0x6e, 0xd9));
                brush = blue;
            }
        } else {
            QLinearGradient grey(0, 0, 0, kIconSize);
            grey.setColorAt(0, QColor(0xa8, 0xa8, 0xa8));
            grey.setColorAt(1, QColor(0x70, 0x70, 0x70));
            brush = grey;
        }
        p.setOpacity(enabled ? 1.0 : 0.35);
        const QImage icon = tintImage(item->image(), QSize(kIconSize, kIconSize), brush, devicePixelRatioF());
        p.drawImage(QPoint(r.center().x() - kIconSize / 2 + 1, kIconTop), icon);
        p.setPen(selected ? (m_tint.isValid() ? m_tint : QColor(Qt::white)) : QColor(0x9a, 0x9a, 0x9a));
        const QRect text(r.left() + 1, kIconTop + kIconSize + 1, r.width() - 2, 13);
        p.drawText(text, Qt::AlignHCenter | Qt::AlignTop,
                   QFontMetrics(font).elidedText(item->title(), Qt::ElideRight, text.width()));
        p.setOpacity(1.0);
    }
    if (hasFocus() && m_showsRing && m_focusIndex >= 0 && m_focusIndex < m_items.size()) {
        QPen ring(m_tint.isValid() ? m_tint : QColor(0x2a, 0xa6, 0xf5), 2);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(itemRect(m_focusIndex)).adjusted(2, 2, -2, -1), 4, 4);
    }
}

void TabBar::tapItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    TabBarItem* item = m_items.at(index);
    if (item && item->isEnabled())
        Q_EMIT itemTapped(index);
}

void TabBar::setFocusIndex(int index)
{
    if (m_items.isEmpty())
        return;
    m_focusIndex = std::clamp(index, 0, int(m_items.size()) - 1);
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(m_focusIndex);
        QAccessible::updateAccessibility(&event);
    }
}

void TabBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: setFocusIndex(m_focusIndex - 1); break;
    case Qt::Key_Right: setFocusIndex(m_focusIndex + 1); break;
    case Qt::Key_Home: setFocusIndex(0); break;
    case Qt::Key_End: setFocusIndex(int(m_items.size()) - 1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: tapItem(m_focusIndex); break;
    default: QWidget::keyPressEvent(event); return;
    }
    m_showsRing = true;
    update();
    event->accept();
}

void TabBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The ring marks where the keys act; focus that a click or the window's activation gave
    // shows none until a key is pressed.
    m_showsRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    // The ring starts on the tab that shows.
    setFocusIndex(std::max(0, m_selected));
}

void TabBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_showsRing = false;
    update();
}

void TabBar::mousePressEvent(QMouseEvent* event)
{
    m_pressed = indexAt(event->position().toPoint());
}

void TabBar::mouseReleaseEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    // A tap is no key: the ring goes until a key is pressed again.
    if (index >= 0 && index == m_pressed) {
        m_showsRing = false;
        update();
        tapItem(index);
    }
    m_pressed = -1;
}
