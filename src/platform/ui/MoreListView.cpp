#include "platform/ui/MoreListView.h"

#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarItem.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

MoreListView::MoreListView(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("More"));
}

QList<TabBarItem*> MoreListView::items() const
{
    QList<TabBarItem*> list;
    for (const auto& item : m_items)
        list.append(item.data());
    return list;
}

void MoreListView::chooseRow(int row)
{
    if (row >= 0 && row < m_items.size() && m_items.at(row) && m_items.at(row)->isEnabled())
        Q_EMIT rowSelected(row);
}

void MoreListView::setFocusRow(int row)
{
    if (m_items.isEmpty())
        return;
    m_focusRow = std::clamp(row, 0, int(m_items.size()) - 1);
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(m_focusRow);
        QAccessible::updateAccessibility(&event);
    }
}

void MoreListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: setFocusRow(m_focusRow - 1); break;
    case Qt::Key_Down: setFocusRow(m_focusRow + 1); break;
    case Qt::Key_Home: setFocusRow(0); break;
    case Qt::Key_End: setFocusRow(int(m_items.size()) - 1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: chooseRow(m_focusRow); break;
    default: QWidget::keyPressEvent(event); return;
    }
    m_showsRing = true;
    update();
    event->accept();
}

void MoreListView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The ring marks where the keys act; focus that a click or the window's activation gave
    // shows none until a key is pressed.
    m_showsRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    setFocusRow(m_focusRow);
}

void MoreListView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_showsRing = false;
    update();
}

void MoreListView::setItems(const QList<TabBarItem*>& items)
{
    TabBarItem::showItems(items, m_items, this);
}

QRect MoreListView::rowRect(int row) const
{
    return {0, row * kRowHeight, width(), kRowHeight};
}

int MoreListView::rowAt(QPoint pos) const
{
    const int row = pos.y() / kRowHeight;
    return (pos.y() >= 0 && row < m_items.size()) ? row : -1;
}

void MoreListView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);

    for (int row = 0; row < m_items.size(); ++row) {
        TabBarItem* item = m_items.at(row);
        const QRect r = rowRect(row);
        const bool pressed = row == m_pressed;
        if (pressed) {
            QLinearGradient blue(0, r.top(), 0, r.bottom());
            blue.setColorAt(0, QColor(0x05, 0x8c, 0xf5));
            blue.setColorAt(1, QColor(0x01, 0x5e, 0xe6));
            p.fillRect(r, blue);
        }
        p.setPen(QColor(0xe0, 0xe0, 0xe0));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        if (!item)
            continue;
        p.setOpacity(item->isEnabled() ? 1.0 : 0.4);
        // The tab picture in the list's blue-grey.
        QLinearGradient tint(0, 0, 0, 30);
        tint.setColorAt(0, pressed ? QColor(Qt::white) : QColor(0x8a, 0x9c, 0xb5));
        tint.setColorAt(1, pressed ? QColor(Qt::white) : QColor(0x4f, 0x63, 0x80));
        p.drawImage(QPoint(r.left() + 10, r.top() + 7),
                    TabBar::tintImage(item->image(), QSize(30, 30), tint, devicePixelRatioF()));
        p.setPen(pressed ? Qt::white : Qt::black);
        const QRect text(r.left() + 52, r.top(), r.width() - 52 - 30, r.height());
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                   QFontMetrics(font).elidedText(item->title(), Qt::ElideRight, text.width()));
        // The disclosure chevron.
        QPen pen(pressed ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80), 3);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const QPointF c(r.right() - 16, r.center().y() + 0.5);
        p.drawPolyline(QList<QPointF>{c + QPointF(-4, -6), c, c + QPointF(-4, 6)});
        p.setOpacity(1.0);
    }
    if (hasFocus() && m_showsRing && m_focusRow < m_items.size()) {
        p.setPen(QPen(QColor(0x05, 0x8c, 0xf5), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rowRect(m_focusRow)).adjusted(1, 1, -1, -2));
    }
}

void MoreListView::mousePressEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (row >= 0 && m_items.at(row) && m_items.at(row)->isEnabled()) {
        m_pressed = row;
        update();
    }
}

void MoreListView::mouseReleaseEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    const int pressed = m_pressed;
    m_pressed = -1;
    update();
    if (row >= 0 && row == pressed)
        chooseRow(row);
}
