#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QWidget>

class QScroller;
class QVariantAnimation;
class QTimer;

// A view that scrolls its content: the content lives in contentView(), a child moved by
// -contentOffset. The user drags it (mouse or touch, both arrive as mouse events), flicks it
// (QScroller carries it on with momentum and lets it overshoot the edges and spring back),
// turns the wheel, or uses the arrows and Page keys (from the view or a child that lets them
// through); code moves it with setContentOffset, animated or not. Offsets set by code are not
// clamped (as on the phone, a form may scroll past its content for the keyboard); the wheel
// and keys stay inside the content.
class ScrollView : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollView(QWidget* parent = nullptr);
    ~ScrollView() override;

    QWidget* contentView() const { return m_content; }
    // Puts a view into the scrolling content (keeps its position in content coordinates).
    void addSubview(QWidget* view);

    QPointF contentOffset() const { return m_offset; }
    void setContentOffset(QPointF offset, bool animated = false);
    QSizeF contentSize() const { return m_contentSize; }
    void setContentSize(QSizeF size);
    // Scrolls the least distance that shows the rectangle (content coordinates).
    void scrollRectToVisible(const QRectF& rect, bool animated);
    // The largest offset a drag reaches: content size minus the bounds, never negative.
    QPointF maximumContentOffset() const;
    // Room kept at the bottom of every scroll view for a band the window lays over it (the
    // no-network band): each may scroll that much further, so that its last rows come out
    // from under the band. 0 while no band shows.
    static void setBottomOverlay(double height);
    static double bottomOverlay();

    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }
    // Kept for the screens that set them; touches reach the content at once either way.
    bool delaysContentTouches() const { return m_delaysContentTouches; }
    void setDelaysContentTouches(bool delays) { m_delaysContentTouches = delays; }
    bool canCancelContentTouches() const { return m_canCancelContentTouches; }
    void setCanCancelContentTouches(bool cancels) { m_canCancelContentTouches = cancels; }
    bool showsVerticalScrollIndicator() const { return m_showsIndicator; }
    void setShowsVerticalScrollIndicator(bool shows) { m_showsIndicator = shows; }

    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color);

    bool isDragging() const { return m_dragging; }
    bool isScrollAnimating() const;
    // The kinetic scroller that carries drags and flicks.
    QScroller* scroller() const { return m_scroller; }

Q_SIGNALS:
    void didScroll(QPointF offset);
    void didEndScrollingAnimation();

protected:
    // Called whenever the offset or the bounds change (the table lays out its rows here).
    virtual void scrollViewDidScroll() {}
    // A press that has moved past the drag threshold: return false to keep it from
    // scrolling (the table takes horizontal swipes itself).
    virtual bool shouldBeginScrollDrag(QPointF delta);

    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

    static constexpr double kDragThreshold = 6.0;
    bool m_pressActive = false;
    bool m_dragging = false;
    bool m_dragRefused = false;
    QPointF m_pressPos;

private:
    void applyOffset(QPointF offset);
    void flashIndicator();
    void placeIndicator();
    QPointF clamped(QPointF offset) const;

    QWidget* m_content;
    QWidget* m_indicator;
    QTimer* m_indicatorTimer;
    QVariantAnimation* m_animation = nullptr;
    QPointF m_offset;
    QSizeF m_contentSize;
    QPointF m_pressOffset;
    QColor m_background;
    QScroller* m_scroller = nullptr;
    qint64 m_pressTime = 0;
    bool m_scrollerFed = false;
    bool m_scrollEnabled = true;
    bool m_delaysContentTouches = true;
    bool m_canCancelContentTouches = true;
    bool m_showsIndicator = true;
};
