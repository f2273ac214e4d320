#include "platform/ui/AlertBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>

#include <algorithm>

namespace {
constexpr int kMargin = 12;
constexpr int kButtonHeight = 43;

QFont alertFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QLabel* makeLabel(const QString& text, const QFont& f, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(f);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}

QPushButton* makeButton(const QString& title, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setFont(alertFont(17, true));
    // Tab reaches the buttons (a tap does not move the focus), so the ring shows only for keys.
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; border: 1px solid rgba(10, 20, 50, 200); border-radius: 5px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgba(150, 165, 200, 200),"
        " stop:0.5 rgba(70, 90, 140, 210), stop:0.51 rgba(45, 65, 115, 220), stop:1 rgba(55, 75, 125, 220)); }"
        "QPushButton:pressed { background: rgba(20, 30, 60, 230); }"
        "QPushButton:focus { border: 2px solid white; }"));
    button->setVisible(!title.isEmpty());
    return button;
}
} // namespace

AlertBox::AlertBox(const QString& title, const QString& message, const QString& button, QWidget* parent,
                   const QString& otherButton)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_title = makeLabel(title, alertFont(17, true), this);
    m_title->setVisible(!title.isEmpty());
    m_message = makeLabel(message, alertFont(15, false), this);
    m_message->setVisible(!message.isEmpty());
    m_button = makeButton(button, this);
    connect(m_button, &QPushButton::clicked, this, [this] { Q_EMIT buttonTapped(0); });
    m_otherButton = makeButton(otherButton, this);
    connect(m_otherButton, &QPushButton::clicked, this, [this] { Q_EMIT buttonTapped(1); });
    if (parent)
        setGeometry(parent->rect());
    layoutBox();
}

void AlertBox::layoutBox()
{
    const int inner = kBoxWidth - 2 * kMargin;
    const int titleHeight = m_title->isHidden() ? 0 : m_title->heightForWidth(inner);
    const int messageHeight = m_message->isHidden() ? 0 : m_message->heightForWidth(inner);
    int height = 18;
    if (titleHeight)
        height += titleHeight + 8;
    if (messageHeight)
        height += messageHeight + 8;
    height += 8;
    if (!m_button->isHidden() || !m_otherButton->isHidden())
        height += kButtonHeight + 14;

    m_box = QRect((width() - kBoxWidth) / 2, qMax(0, (this->height() - height) / 2), kBoxWidth, height);
    int y = m_box.top() + 18;
    const int x = m_box.left() + kMargin;
    if (titleHeight) {
        m_title->setGeometry(x, y, inner, titleHeight);
        y += titleHeight + 8;
    }
    if (messageHeight) {
        m_message->setGeometry(x, y, inner, messageHeight);
        y += messageHeight + 8;
    }
    y += 8;
    if (m_otherButton->isHidden()) {
        m_button->setGeometry(x - 1, y, inner + 2, kButtonHeight);
    } else {
        const int half = (inner - 8) / 2;
        m_button->setGeometry(x - 1, y, half + 1, kButtonHeight);
        m_otherButton->setGeometry(x + inner - half, y, half + 1, kButtonHeight);
    }
    update();
}

void AlertBox::resizeEvent(QResizeEvent*)
{
    layoutBox();
}

void AlertBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // The button the keys walked to; else the other button, when there is one, is the one
        // the alert offers.
        if (m_button->hasFocus())
            Q_EMIT buttonTapped(0);
        else
            Q_EMIT buttonTapped(m_otherButton->isHidden() ? 0 : 1);
        return;
    case Qt::Key_Escape:
        Q_EMIT buttonTapped(0);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool AlertBox::focusNextPrevChild(bool next)
{
    // The alert is modal: Tab walks its own buttons (and the box) round, never out of it.
    QList<QWidget*> ring{this};
    for (QPushButton* b : {m_button, m_otherButton})
        if (!b->isHidden())
            ring.append(b);
    const int at = std::max(0, int(ring.indexOf(QApplication::focusWidget())));
    const int count = int(ring.size());
    QWidget* target = ring.at((at + (next ? 1 : count - 1)) % count);
    if (target == this && count > 1)
        target = ring.at(next ? 1 : count - 1);
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void AlertBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    // The window behind dims, darker towards the edges.
    QRadialGradient dim(rect().center(), qMax(width(), height()) * 0.75);
    dim.setColorAt(0, QColor(0, 0, 0, 70));
    dim.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(rect(), dim);

    const QRectF box = QRectF(m_box).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(box, 10, 10);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(0x21, 0x34, 0x69, 225));
    fill.setColorAt(1, QColor(0x07, 0x15, 0x3e, 225));
    p.fillPath(shape, fill);

    // The gloss over the top of the box.
    QPainterPath gloss;
    gloss.addEllipse(QRectF(box.left() - box.width() * 0.25, box.top() - 40, box.width() * 1.5, 80));
    QLinearGradient shine(box.topLeft(), box.topLeft() + QPointF(0, 40));
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(1, QColor(255, 255, 255, 12));
    p.fillPath(gloss.intersected(shape), shine);

    p.setPen(QPen(QColor(255, 255, 255, 230), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 10, 10);
}
