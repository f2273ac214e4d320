#include "platform/ui/ScrollView.h"

#include <QApplication>

#include <QEasingCurve>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollEvent>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QScrollerProperties>
#include <QTimer>
#include <QVariantAnimation>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
// The thin dark bar at the right edge that shows where the content stands while it moves.
class ScrollIndicator : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    }
};
} // namespace

ScrollView::ScrollView(QWidget* parent)
    : QWidget(parent), m_content(new QWidget(this)), m_indicator(new ScrollIndicator(this)),
      m_indicatorTimer(new QTimer(this))
{
    m_content->setAttribute(Qt::WA_NoSystemBackground);
    m_indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_indicator->hide();
    m_indicatorTimer->setSingleShot(true);
    m_indicatorTimer->setInterval(500);
    connect(m_indicatorTimer, &QTimer::timeout, m_indicator, &QWidget::hide);

    // The scroller gets the drag from our own mouse handling (not from a gesture of its own),
    // so a press reaches the rows and buttons at once and a horizontal swipe stays the table's.
    m_scroller = QScroller::scroller(this);
    QScrollerProperties properties = m_scroller->scrollerProperties();
    properties.setScrollMetric(QScrollerProperties::MousePressEventDelay, 0.0);
    properties.setScrollMetric(QScrollerProperties::DragStartDistance, 0.0);
    properties.setScrollMetric(QScrollerProperties::FrameRate, QScrollerProperties::Fps60);
    m_scroller->setScrollerProperties(properties);
}

ScrollView::~ScrollView() = default;

void ScrollView::addSubview(QWidget* view)
{
    const QPoint pos = view->pos();
    view->setParent(m_content);
    view->move(pos);
    view->show();
    m_indicator->raise();
}

namespace {
double g_bottomOverlay = 0; // main thread only, as the views
} // namespace

QPointF ScrollView::maximumContentOffset() const
{
    return {std::max(0.0, m_contentSize.width() - width()),
            std::max(0.0, m_contentSize.height() + g_bottomOverlay - height())};
}

double ScrollView::bottomOverlay()
{
    return g_bottomOverlay;
}

void ScrollView::setBottomOverlay(double height)
{
    if (height == g_bottomOverlay)
        return;
    g_bottomOverlay = std::max(0.0, height);
    // With the band gone, a view scrolled into its room comes back to its content's end.
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* view = qobject_cast<ScrollView*>(widget);
        if (view && view->contentOffset() != view->clamped(view->contentOffset()))
            view->setContentOffset(view->clamped(view->contentOffset()), false);
    }
}

QPointF ScrollView::clamped(QPointF offset) const
{
    const QPointF max = maximumContentOffset();
    return {std::clamp(offset.x(), 0.0, max.x()), std::clamp(offset.y(), 0.0, max.y())};
}

bool ScrollView::isScrollAnimating() const
{
    return (m_animation && m_animation->state() == QAbstractAnimation::Running) ||
           m_scroller->state() == QScroller::Scrolling;
}

void ScrollView::setContentOffset(QPointF offset, bool animated)
{
    if (m_scroller->state() != QScroller::Inactive && !m_dragging)
        m_scroller->stop();
    if (m_animation) {
        m_animation->stop();
        m_animation->deleteLater();
        m_animation = nullptr;
    }
    if (!animated || !isVisible() || offset == m_offset) {
        applyOffset(offset);
        return;
    }
    m_animation = new QVariantAnimation(this);
    m_animation->setStartValue(m_offset);
    m_animation->setEndValue(offset);
    m_animation->setDuration(300);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& v) { applyOffset(v.toPointF()); });
    QVariantAnimation* animation = m_animation;
    connect(animation, &QVariantAnimation::finished, this, [this, animation] {
        if (m_animation == animation) {
            m_animation->deleteLater();
            m_animation = nullptr;
        }
        Q_EMIT didEndScrollingAnimation();
    });
    m_animation->start();
}

void ScrollView::applyOffset(QPointF offset)
{
    m_offset = offset;
    m_content->setGeometry(int(std::lround(-offset.x())), int(std::lround(-offset.y())),
                           std::max(width(), int(std::ceil(m_contentSize.width()))),
                           std::max(height(), int(std::ceil(m_contentSize.height()))));
    flashIndicator();
    scrollViewDidScroll();
    Q_EMIT didScroll(m_offset);
}

void ScrollView::setContentSize(QSizeF size)
{
    m_contentSize = size;
    applyOffset(m_offset);
}

void ScrollView::scrollRectToVisible(const QRectF& rect, bool animated)
{
    QPointF target = m_offset;
    if (rect.bottom() > m_offset.y() + height())
        target.setY(rect.bottom() - height());
    if (rect.top() < target.y())
        target.setY(rect.top());
    if (rect.right() > m_offset.x() + width())
        target.setX(rect.right() - width());
    if (rect.left() < target.x())
        target.setX(rect.left());
    // The phone keeps the result inside the content.
    setContentOffset(clamped(target), animated);
}

void ScrollView::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void ScrollView::resizeEvent(QResizeEvent*)
{
    applyOffset(m_offset);
}

void ScrollView::paintEvent(QPaintEvent*)
{
    if (m_background.isValid() && m_background.alpha() > 0) {
        QPainter p(this);
        p.fillRect(rect(), m_background);
    }
}

void ScrollView::flashIndicator()
{
    if (!m_showsIndicator || m_contentSize.height() <= height() || !isVisible())
        return;
    placeIndicator();
    m_indicator->show();
    m_indicator->raise();
    m_indicatorTimer->start();
}

void ScrollView::placeIndicator()
{
    const double total = m_contentSize.height();
    const double visible = height();
    const double h = std::max(20.0, visible * visible / total);
    const double maxY = std::max(1.0, total - visible);
    const double y = std::clamp(m_offset.y() / maxY, 0.0, 1.0) * (visible - h - 4) + 2;
    m_indicator->setGeometry(width() - 6, int(y), 3, int(h));
}

bool ScrollView::shouldBeginScrollDrag(QPointF)
{
    return true;
}

void ScrollView::wheelEvent(QWheelEvent* event)
{
    if (!m_scrollEnabled) {
        event->ignore();
        return;
    }
    QPointF delta = event->pixelDelta();
    if (delta.isNull())
        delta = QPointF(event->angleDelta()) / 120.0 * 40.0;
    const QPointF before = m_offset;
    const QPointF after = clamped(m_offset - delta);
    if (after != before)
        applyOffset(after);
    event->accept();
}

void ScrollView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (m_animation)
        m_animation->stop();
    // A touch on a moving list holds it where it is.
    if (m_scroller->state() != QScroller::Inactive)
        m_scroller->stop();
    m_pressActive = true;
    m_dragging = false;
    m_dragRefused = false;
    m_scrollerFed = false;
    m_pressPos = event->position();
    m_pressTime = qint64(event->timestamp());
    m_pressOffset = m_offset;
    event->accept();
}

void ScrollView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressActive)
        return;
    const QPointF delta = event->position() - m_pressPos;
    if (!m_dragging && !m_dragRefused && std::hypot(delta.x(), delta.y()) > kDragThreshold) {
        if (shouldBeginScrollDrag(delta) && m_scrollEnabled) {
            m_dragging = true;
            // The scroller follows the finger from where it first touched.
            // (A press never reports itself handled; the scroller's state says whether it took it.)
            m_scroller->handleInput(QScroller::InputPress, m_pressPos, m_pressTime);
            m_scrollerFed = m_scroller->state() == QScroller::Pressed;
        } else {
            m_dragRefused = true;
        }
    }
    if (m_dragging) {
        if (m_scrollerFed)
            m_scroller->handleInput(QScroller::InputMove, event->position(), qint64(event->timestamp()));
        else
            applyOffset(clamped(m_pressOffset - delta));
    }
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    // Let go moving, the scroller carries the content on and springs it back inside; let go
    // still, it only springs back.
    if (m_dragging && m_scrollerFed)
        m_scroller->handleInput(QScroller::InputRelease, event->position(), qint64(event->timestamp()));
    m_pressActive = false;
    m_dragging = false;
    m_scrollerFed = false;
}

bool ScrollView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ScrollPrepare: {
        auto* prepare = static_cast<QScrollPrepareEvent*>(event);
        prepare->setViewportSize(QSizeF(size()));
        prepare->setContentPosRange(QRectF(QPointF(0, 0), maximumContentOffset()));
        prepare->setContentPos(m_offset);
        prepare->accept();
        return true;
    }
    case QEvent::Scroll: {
        const auto* scroll = static_cast<QScrollEvent*>(event);
        applyOffset(scroll->contentPos() + scroll->overshootDistance());
        if (scroll->scrollState() == QScrollEvent::ScrollFinished)
            Q_EMIT didEndScrollingAnimation();
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

void ScrollView::keyPressEvent(QKeyEvent* event)
{
    if (!m_scrollEnabled || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A line is a row's height, a page the view's height less a line so the reader keeps
    // their place.
    constexpr double kLine = 40;
    const double page = std::max(kLine, height() - kLine);
    QPointF target = m_offset;
    switch (event->key()) {
    case Qt::Key_Up: target.ry() -= kLine; break;
    case Qt::Key_Down: target.ry() += kLine; break;
    case Qt::Key_Left: target.rx() -= kLine; break;
    case Qt::Key_Right: target.rx() += kLine; break;
    case Qt::Key_PageUp: target.ry() -= page; break;
    case Qt::Key_PageDown: target.ry() += page; break;
    case Qt::Key_Home: target = QPointF(m_offset.x(), 0); break;
    case Qt::Key_End: target = QPointF(m_offset.x(), maximumContentOffset().y()); break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    target = clamped(target);
    if (target == m_offset) {
        // Nothing to scroll this way: an enclosing view may take the key.
        event->ignore();
        return;
    }
    setContentOffset(target, false);
    event->accept();
}
