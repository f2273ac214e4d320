#include "platform/ui/PickerView.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/PickerViewDataSource.h"
#include "platform/ui/PickerViewDelegate.h"
#include "platform/ui/WidgetEffect.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollEvent>
#include <QScrollPrepareEvent>
#include <QScroller>
#include <QScrollerProperties>
#include <QVariantAnimation>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinimumHeight = 162;
constexpr int kDefaultHeight = 216;
constexpr int kGap = 5;
const char* const kOwnTitle = "itarnvale_pickerTitle";

// Draws the two lines round the middle row above the wheels.
class PickerOverlay : public QWidget
{
public:
    PickerOverlay(PickerView* picker, const bool* shows) : QWidget(picker), m_picker(picker), m_shows(shows)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!*m_shows || m_picker->numberOfComponents() == 0)
            return;
        QPainter p(this);
        const QRect first = m_picker->componentRect(0);
        const QRect last = m_picker->componentRect(m_picker->numberOfComponents() - 1);
        const double rowHeight = m_rowHeight;
        const double mid = height() / 2.0;
        const QColor line(255, 255, 255, 110);
        p.fillRect(QRectF(first.left(), mid - rowHeight / 2 - 1, last.right() - first.left() + 1, 1), line);
        p.fillRect(QRectF(first.left(), mid + rowHeight / 2, last.right() - first.left() + 1, 1), line);
    }

public:
    double m_rowHeight = 32;

private:
    PickerView* m_picker;
    const bool* m_shows;
};
} // namespace

PickerView::PickerView(QWidget* parent) : QWidget(parent), m_overlay(new PickerOverlay(this, &m_showsIndicator))
{
    resize(320, kDefaultHeight);
    // Tab only: a tap turns a wheel without taking the focus from a text field.
    setFocusPolicy(Qt::TabFocus);
}

PickerView::~PickerView() = default;

void PickerView::setDataSource(PickerViewDataSource* dataSource)
{
    m_dataSource = dataSource;
    rebuild();
}

void PickerView::setDelegate(PickerViewDelegate* delegate)
{
    m_delegate = delegate;
    rebuild();
}

void PickerView::setShowsSelectionIndicator(bool shows)
{
    m_showsIndicator = shows;
    m_overlay->update();
}

int PickerView::numberOfRowsInComponent(int component) const
{
    return component >= 0 && component < numberOfComponents() ? m_components[size_t(component)].rows : 0;
}

int PickerView::selectedRowInComponent(int component) const
{
    if (component < 0 || component >= numberOfComponents() || m_components[size_t(component)].rows == 0)
        return -1;
    return m_components[size_t(component)].selected;
}

QWidget* PickerView::viewForRow(int row, int component) const
{
    if (component < 0 || component >= numberOfComponents())
        return nullptr;
    return m_components[size_t(component)].views.value(row);
}

void PickerView::rebuild()
{
    const int wanted = m_dataSource ? std::max(0, m_dataSource->numberOfComponentsInPickerView(this)) : 0;
    while (int(m_components.size()) > wanted) {
        delete m_components.back().clip;
        m_components.pop_back();
    }
    while (int(m_components.size()) < wanted) {
        Component c;
        c.clip = new QWidget(this);
        c.clip->setAttribute(Qt::WA_TransparentForMouseEvents);
        c.clip->show();
        // The wheel's column is the scroller's target: the picker feeds it the drag and hears
        // its scroll events through this filter.
        c.clip->installEventFilter(this);
        QScroller* scroller = QScroller::scroller(c.clip);
        QScrollerProperties properties = scroller->scrollerProperties();
        properties.setScrollMetric(QScrollerProperties::MousePressEventDelay, 0.0);
        properties.setScrollMetric(QScrollerProperties::DragStartDistance, 0.0);
        properties.setScrollMetric(QScrollerProperties::FrameRate, QScrollerProperties::Fps60);
        scroller->setScrollerProperties(properties);
        QWidget* clip = c.clip;
        connect(scroller, &QScroller::stateChanged, this, [this, clip](QScroller::State state) {
            if (state == QScroller::Inactive)
                settle(componentOfClip(clip));
        });
        m_components.push_back(c);
    }
    for (int i = 0; i < wanted; ++i)
        loadComponent(i);
    layoutComponents();
    m_overlay->raise();
}

void PickerView::reloadAllComponents()
{
    rebuild();
}

void PickerView::reloadComponent(int component)
{
    if (component < 0 || component >= numberOfComponents())
        return;
    loadComponent(component);
    layoutComponents();
}

void PickerView::loadComponent(int component)
{
    Component& c = m_components[size_t(component)];
    c.rows = m_dataSource ? std::max(0, m_dataSource->numberOfRowsInComponent(this, component)) : 0;
    const double h = m_delegate ? m_delegate->rowHeightForComponent(this, component) : -1;
    c.rowHeight = h > 0 ? h : 32;
    c.selected = std::clamp(c.selected, 0, std::max(0, c.rows - 1));
    if (!c.animation || c.animation->state() != QAbstractAnimation::Running)
        c.offset = c.selected;
    // Every row view is asked for again; the old ones wait for reuse.
    for (QWidget* view : std::as_const(c.views)) {
        view->hide();
        (view->property(kOwnTitle).toBool() ? c.titlePool : c.pool).append(view);
    }
    c.views.clear();
}

QRect PickerView::componentRect(int component) const
{
    const int n = numberOfComponents();
    if (component < 0 || component >= n)
        return {};
    std::vector<double> widths(size_t(n), -1);
    double fixed = 0;
    int flexible = 0;
    for (int i = 0; i < n; ++i) {
        widths[size_t(i)] = m_delegate ? m_delegate->widthForComponent(const_cast<PickerView*>(this), i) : -1;
        if (widths[size_t(i)] > 0)
            fixed += widths[size_t(i)];
        else
            ++flexible;
    }
    const double free = std::max(0.0, width() - 2.0 * kGap - (n - 1) * kGap - fixed);
    for (double& w : widths)
        if (w <= 0)
            w = flexible ? free / flexible : 0;
    double total = (n - 1) * kGap;
    for (double w : widths)
        total += w;
    double x = (width() - total) / 2;
    for (int i = 0; i < component; ++i)
        x += widths[size_t(i)] + kGap;
    return QRect(int(std::lround(x)), 0, int(std::lround(widths[size_t(component)])), height());
}

void PickerView::layoutComponents()
{
    for (int i = 0; i < numberOfComponents(); ++i) {
        m_components[size_t(i)].clip->setGeometry(componentRect(i));
        layoutRows(i);
    }
    m_overlay->setGeometry(rect());
    if (!m_components.empty())
        static_cast<PickerOverlay*>(m_overlay)->m_rowHeight = m_components.front().rowHeight;
    m_overlay->update();
}

void PickerView::layoutRows(int component)
{
    Component& c = m_components[size_t(component)];
    const double mid = height() / 2.0;
    const int reach = int(std::ceil(mid / c.rowHeight)) + 1;
    const int first = std::max(0, int(std::floor(c.offset)) - reach);
    const int last = std::min(c.rows - 1, int(std::ceil(c.offset)) + reach);
    for (auto it = c.views.begin(); it != c.views.end();) {
        if (it.key() < first || it.key() > last) {
            it.value()->hide();
            (it.value()->property(kOwnTitle).toBool() ? c.titlePool : c.pool).append(it.value());
            it = c.views.erase(it);
        } else {
            ++it;
        }
    }
    for (int row = first; row <= last; ++row) {
        QWidget* view = c.views.value(row);
        if (!view) {
            QWidget* reuse = c.pool.isEmpty() ? nullptr : c.pool.takeLast();
            view = m_delegate ? m_delegate->viewForRow(this, row, component, reuse) : nullptr;
            if (!view) {
                // A title row: one of the picker's own labels (never handed to the delegate).
                auto* label = c.titlePool.isEmpty() ? nullptr : static_cast<Label*>(c.titlePool.takeLast());
                if (!label) {
                    label = new Label;
                    label->setProperty(kOwnTitle, true);
                    label->setFont(Fonts::boldSystemFont(20));
                    label->setTextColor(Qt::white);
                    label->setTextAlignment(TextAlignment::Center);
                    label->resize(c.clip->width() - 8, int(c.rowHeight));
                }
                label->setText(m_delegate ? m_delegate->titleForRow(this, row, component) : QString());
                view = label;
            }
            if (reuse && reuse != view)
                c.pool.append(reuse);
            c.pool.removeAll(view);
            if (view->parentWidget() != c.clip)
                view->setParent(c.clip);
            view->setAttribute(Qt::WA_TransparentForMouseEvents);
            c.views.insert(row, view);
        }
        const double y = mid + (row - c.offset) * c.rowHeight - c.rowHeight / 2;
        const QSize size = view->size().isEmpty() ? QSize(c.clip->width(), int(c.rowHeight)) : view->size();
        view->setGeometry(int(std::lround((c.clip->width() - size.width()) / 2.0)),
                          int(std::lround(y + (c.rowHeight - size.height()) / 2)), size.width(), size.height());
        auto* effect = qobject_cast<WidgetEffect*>(view->graphicsEffect());
        if (!effect) {
            effect = new WidgetEffect(view);
            view->setGraphicsEffect(effect);
        }
        const double distance = std::abs(row - c.offset);
        effect->setOpacity(std::max(0.2, 1.0 - distance * 0.22));
        view->show();
    }
}

void PickerView::selectRow(int row, int component, bool animated)
{
    if (component < 0 || component >= numberOfComponents())
        return;
    Component& c = m_components[size_t(component)];
    if (c.rows == 0)
        return;
    row = std::clamp(row, 0, c.rows - 1);
    if (animated && isVisible()) {
        animateTo(component, row, false);
        return;
    }
    if (c.animation)
        c.animation->stop();
    c.selected = row;
    c.offset = row;
    layoutRows(component);
}

void PickerView::chooseRow(int row, int component)
{
    if (component < 0 || component >= numberOfComponents())
        return;
    const Component& c = m_components[size_t(component)];
    if (c.rows > 0)
        animateTo(component, std::clamp(row, 0, c.rows - 1), true);
}

QString PickerView::textForRow(int row, int component) const
{
    if (auto* label = qobject_cast<Label*>(viewForRow(row, component)))
        return label->text();
    if (m_delegate)
        return m_delegate->titleForRow(const_cast<PickerView*>(this), row, component);
    return {};
}

void PickerView::animateTo(int component, int row, bool notify)
{
    Component& c = m_components[size_t(component)];
    const bool changed = row != c.selected;
    c.selected = row;
    if (!c.animation) {
        c.animation = new QVariantAnimation(this);
        c.animation->setDuration(250);
        c.animation->setEasingCurve(QEasingCurve::OutCubic);
        connect(c.animation, &QVariantAnimation::valueChanged, this, [this, component](const QVariant& v) {
            m_components[size_t(component)].offset = v.toDouble();
            layoutRows(component);
        });
    }
    c.animation->stop();
    c.animation->setStartValue(c.offset);
    c.animation->setEndValue(double(row));
    c.animation->start();
    if (notify && changed && m_delegate)
        m_delegate->didSelectRow(this, row, component);
}

int PickerView::heightForFrameHeight(int height)
{
    return height < kMinimumHeight ? kDefaultHeight : height;
}

void PickerView::resizeEvent(QResizeEvent*)
{
    if (height() != heightForFrameHeight(height())) {
        resize(width(), heightForFrameHeight(height()));
        return;
    }
    layoutComponents();
}

void PickerView::paintEvent(QPaintEvent*)
{
    if (!m_showsRing || !hasFocus() || m_keyComponent >= numberOfComponents())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    p.drawRoundedRect(QRectF(componentRect(m_keyComponent)).adjusted(1, 1, -1, -1), 4, 4);
}

void PickerView::keyPressEvent(QKeyEvent* event)
{
    if (numberOfComponents() == 0 || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_keyComponent = std::clamp(m_keyComponent, 0, numberOfComponents() - 1);
    const Component& c = m_components[size_t(m_keyComponent)];
    switch (event->key()) {
    case Qt::Key_Up: chooseRow(c.selected - 1, m_keyComponent); break;
    case Qt::Key_Down: chooseRow(c.selected + 1, m_keyComponent); break;
    case Qt::Key_Home: chooseRow(0, m_keyComponent); break;
    case Qt::Key_End: chooseRow(c.rows - 1, m_keyComponent); break;
    case Qt::Key_Left: m_keyComponent = std::max(0, m_keyComponent - 1); break;
    case Qt::Key_Right: m_keyComponent = std::min(numberOfComponents() - 1, m_keyComponent + 1); break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_showsRing = true;
    update();
}

void PickerView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_showsRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
}

void PickerView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_showsRing = false;
    update();
}

int PickerView::componentAt(QPointF point) const
{
    for (int i = 0; i < numberOfComponents(); ++i)
        if (componentRect(i).adjusted(-kGap / 2, 0, kGap / 2 + 1, 0).contains(point.toPoint()))
            return i;
    return -1;
}

int PickerView::componentOfClip(const QObject* clip) const
{
    for (int i = 0; i < numberOfComponents(); ++i)
        if (m_components[size_t(i)].clip == clip)
            return i;
    return -1;
}

void PickerView::settle(int component)
{
    if (component < 0)
        return;
    Component& c = m_components[size_t(component)];
    if (!c.spinning)
        return;
    c.spinning = false;
    if (c.rows > 0)
        animateTo(component, std::clamp(int(std::lround(c.offset)), 0, c.rows - 1), true);
}

bool PickerView::eventFilter(QObject* watched, QEvent* event)
{
    const int component = event->type() == QEvent::ScrollPrepare || event->type() == QEvent::Scroll
                              ? componentOfClip(watched)
                              : -1;
    if (component < 0)
        return QWidget::eventFilter(watched, event);
    Component& c = m_components[size_t(component)];
    if (event->type() == QEvent::ScrollPrepare) {
        // Content position is the middle row's top: one row height per row, snapping to rows.
        auto* prepare = static_cast<QScrollPrepareEvent*>(event);
        prepare->setViewportSize(QSizeF(c.clip->size()));
        prepare->setContentPosRange(QRectF(0, 0, 0, std::max(0, c.rows - 1) * c.rowHeight));
        prepare->setContentPos(QPointF(0, c.offset * c.rowHeight));
        QScroller::scroller(c.clip)->setSnapPositionsY(0, c.rowHeight);
        prepare->accept();
        return true;
    }
    const auto* scroll = static_cast<QScrollEvent*>(event);
    c.offset = (scroll->contentPos().y() + scroll->overshootDistance().y()) / c.rowHeight;
    layoutRows(component);
    return true;
}

void PickerView::mousePressEvent(QMouseEvent* event)
{
    m_dragComponent = componentAt(event->position());
    if (m_dragComponent < 0)
        return;
    m_keyComponent = m_dragComponent;
    if (m_showsRing) {
        m_showsRing = false;
        update();
    }
    Component& c = m_components[size_t(m_dragComponent)];
    if (c.animation)
        c.animation->stop();
    // A touch on a spinning wheel holds it; where it stops is settled on release.
    QScroller* scroller = QScroller::scroller(c.clip);
    m_pressStoppedSpin = scroller->state() != QScroller::Inactive;
    if (m_pressStoppedSpin) {
        c.spinning = false;
        scroller->stop();
    }
    m_dragStartY = event->position().y();
    m_dragStartPos = event->position();
    m_dragStartTime = qint64(event->timestamp());
    m_dragStartOffset = c.offset;
    m_dragged = false;
}

void PickerView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragComponent < 0)
        return;
    Component& c = m_components[size_t(m_dragComponent)];
    const double dy = event->position().y() - m_dragStartY;
    if (!m_dragged && std::abs(dy) < 4)
        return;
    QScroller* scroller = QScroller::scroller(c.clip);
    if (!m_dragged) {
        m_dragged = true;
        scroller->handleInput(QScroller::InputPress, m_dragStartPos, m_dragStartTime);
        c.spinning = scroller->state() == QScroller::Pressed;
    }
    if (c.spinning) {
        scroller->handleInput(QScroller::InputMove, event->position(), qint64(event->timestamp()));
        return;
    }
    c.offset = std::clamp(m_dragStartOffset - dy / c.rowHeight, -0.4, c.rows - 0.6);
    layoutRows(m_dragComponent);
}

void PickerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragComponent < 0)
        return;
    const int component = m_dragComponent;
    m_dragComponent = -1;
    Component& c = m_components[size_t(component)];
    if (c.rows == 0)
        return;
    if (m_dragged && c.spinning) {
        // The scroller spins the wheel on and settles it on a row; settle() chooses it.
        QScroller::scroller(c.clip)->handleInput(QScroller::InputRelease, event->position(), qint64(event->timestamp()));
        return;
    }
    int row;
    if (m_dragged || m_pressStoppedSpin)
        row = int(std::lround(c.offset));
    else // a tap chooses the row under it
        row = int(std::lround(c.offset + (event->position().y() - height() / 2.0) / c.rowHeight));
    animateTo(component, std::clamp(row, 0, c.rows - 1), true);
}

void PickerView::wheelEvent(QWheelEvent* event)
{
    const int component = componentAt(event->position());
    if (component < 0)
        return;
    Component& c = m_components[size_t(component)];
    const int step = event->angleDelta().y() > 0 ? -1 : 1;
    if (c.rows > 0)
        animateTo(component, std::clamp(c.selected + step, 0, c.rows - 1), true);
    event->accept();
}
