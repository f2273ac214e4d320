#include "platform/ui/NavigationBar.h"

#include "platform/ui/BackButton.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/WidgetEffect.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int kSideMargin = 5;

QColor baseColor(NavigationBar::BarStyle style, const QColor& tint)
{
    if (tint.isValid())
        return tint;
    switch (style) {
    case NavigationBar::BarStyle::Black:
    case NavigationBar::BarStyle::BlackTranslucent:
        return QColor(0x1c, 0x1c, 0x1c);
    case NavigationBar::BarStyle::Default:
        break;
    }
    return QColor(0x6d, 0x84, 0xa2);
}

// Lets a custom view show children that stand outside its own rectangle (a 30-point
// container holding a 47-point button at y = -10): widgets clip their children, so the
// view grows to hold them and its children move by as much. Returns the offset by which
// the view's place moves.
QPoint growToChildren(QWidget* view)
{
    const QRect bounds = view->rect().united(view->childrenRect());
    if (bounds == view->rect())
        return {};
    const QPoint shift = -bounds.topLeft();
    for (QObject* child : view->children()) {
        if (auto* w = qobject_cast<QWidget*>(child))
            w->move(w->pos() + shift);
    }
    view->resize(bounds.size());
    return bounds.topLeft();
}

// Where a side view's drawn part ends towards the title: a container may be wider than its
// buttons (160 points for one 50-point back button), and the title may use the rest.
int drawnEdge(QWidget* view, bool left)
{
    QRect drawn = view->childrenRect();
    if (drawn.isEmpty())
        drawn = view->rect();
    drawn.translate(view->pos());
    return left ? drawn.right() + 1 : drawn.left();
}

} // namespace

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_title = new QLabel(this);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setAlignment(Qt::AlignCenter);
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(pal);
    auto* shadow = new WidgetEffect(m_title);
    shadow->setShadow(QColor(0, 0, 0, 130), QPointF(0, -1));
    m_title->setGraphicsEffect(shadow);

    m_back = new BackButton(this);
    m_back->hide();
    connect(m_back, &QAbstractButton::clicked, this, &NavigationBar::backTapped);
    resize(320, NavigationController::kBarHeight);
}

QSize NavigationBar::sizeHint() const
{
    return {320, NavigationController::kBarHeight};
}

void NavigationBar::setBarStyle(BarStyle style)
{
    m_style = style;
    m_back->setBaseColor(baseColor(m_style, m_tint).lighter(m_tint.isValid() ? 100 : 130));
    update();
}

void NavigationBar::setTintColor(const QColor& color)
{
    m_tint = color;
    setBarStyle(m_style);
}

void NavigationBar::setItems(NavigationItem* item, NavigationItem* backItem)
{
    if (m_item != item) {
        if (m_item)
            disconnect(m_item, nullptr, this, nullptr);
        m_item = item;
        if (item)
            connect(item, &NavigationItem::changed, this, &NavigationBar::refresh);
    }
    if (m_backItem != backItem) {
        if (m_backItem)
            disconnect(m_backItem, nullptr, this, nullptr);
        m_backItem = backItem;
        if (backItem)
            connect(backItem, &NavigationItem::changed, this, &NavigationBar::refresh);
    }
    refresh();
}

NavigationItem* NavigationBar::topItem() const
{
    return m_item;
}

QString NavigationBar::titleText() const
{
    return m_title->text();
}

void NavigationBar::place(QWidget* view, bool left)
{
    const QPoint shift = growToChildren(view);
    const QSize size = view->size();
    // Centred on the bar's height, every time: the grown view's children already stand where
    // they were put, so the growth's vertical shift is not added (once added, a view placed
    // once sat higher than one placed again and its buttons were cut at the bar's top).
    const int y = (height() - size.height()) / 2;
    if (left) {
        view->move(QPoint(kSideMargin + shift.x(), y));
    } else {
        const QPoint offset = m_item ? m_item->rightViewOffset() : QPoint();
        view->move(QPoint(width() - kSideMargin - size.width() + shift.x(), y) + offset);
    }
}

void NavigationBar::refresh()
{
    // Views of the previous top item leave the bar (their item keeps them).
    QWidget* left = m_item ? m_item->leftView() : nullptr;
    QWidget* right = m_item ? m_item->rightView() : nullptr;
    if (m_left && m_left != left)
        m_left->hide();
    if (m_right && m_right != right)
        m_right->hide();
    m_left = left;
    m_right = right;

    int leftEdge = kSideMargin;
    int rightEdge = width() - kSideMargin;
    if (left) {
        if (left->parentWidget() != this)
            left->setParent(this);
        place(left, true);
        left->show();
        leftEdge = drawnEdge(left, true);
    }
    const bool back = !left && m_backItem && m_item && !m_item->hidesBackButton();
    if (back) {
        QString text = m_backItem->backButtonTitle();
        if (text.isEmpty())
            text = m_backItem->title();
        if (text.isEmpty())
            text = QStringLiteral("Back");
        m_back->setText(text);
        m_back->resize(m_back->sizeHint());
        m_back->move(kSideMargin, (height() - m_back->height()) / 2);
        m_back->show();
        leftEdge = m_back->geometry().right() + 1;
    } else {
        m_back->hide();
    }
    if (right) {
        if (right->parentWidget() != this)
            right->setParent(this);
        place(right, false);
        right->show();
        rightEdge = drawnEdge(right, false);
    }

    // The title stays centred on the bar as long as it fits between the side views.
    const QString title = m_item ? m_item->title() : QString();
    const int half = qMax(0, qMin(width() / 2 - leftEdge, rightEdge - width() / 2) - 4);
    const QFontMetrics metrics(m_title->font());
    if (metrics.horizontalAdvance(title) <= 2 * half) {
        m_title->setGeometry(width() / 2 - half, 0, 2 * half, height());
    } else {
        m_title->setGeometry(leftEdge + 4, 0, qMax(0, rightEdge - leftEdge - 8), height());
    }
    m_title->setText(metrics.elidedText(title, Qt::ElideRight, m_title->width()));
    m_title->lower();
}

void NavigationBar::resizeEvent(QResizeEvent*)
{
    refresh();
}

void NavigationBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor base = baseColor(m_style, m_tint);
    const bool black = !m_tint.isValid() && m_style != BarStyle::Default;
    const int alpha = m_style == BarStyle::BlackTranslucent ? 180 : 255;

    QLinearGradient fill(0, 0, 0, height());
    QColor top = black ? QColor(0x5a, 0x5a, 0x5a) : base.lighter(150);
    QColor middle = black ? QColor(0x2a, 0x2a, 0x2a) : base.lighter(112);
    QColor bottom = black ? QColor(0x06, 0x06, 0x06) : base;
    for (QColor* c : {&top, &middle, &bottom})
        c->setAlpha(alpha);
    fill.setColorAt(0, top);
    fill.setColorAt(0.5, middle);
    fill.setColorAt(0.5001, black ? QColor(0x12, 0x12, 0x12, alpha) : base.lighter(104));
    fill.setColorAt(1, bottom);
    p.fillRect(rect(), fill);
    // A light line along the top and a dark one along the bottom, as bars have.
    p.setPen(QColor(255, 255, 255, black ? 60 : 110));
    p.drawLine(0, 0, width(), 0);
    p.setPen(black ? QColor(0, 0, 0) : base.darker(170));
    p.drawLine(0, height() - 1, width(), height() - 1);
}
