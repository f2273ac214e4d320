#pragma once

#include <QGraphicsView>
#include <QPointer>

class QGraphicsProxyWidget;

// Shows a window smaller than one pixel a point. Qt's painter never draws below one device
// pixel per point, so a window zoomed out that far through Qt's scaling shrinks while its
// content keeps its size. This frame instead shows the window through a graphics view that
// draws it scaled down; the view hands every click, key, wheel turn and focus change on to
// the widget under it, in the window's own coordinates.
//
// While framed, the window counts as shown (its widgets and controllers carry on as
// before) but has no place on the screen of its own; the frame stands where it stood.
class ZoomedOutFrame : public QGraphicsView
{
    Q_OBJECT

public:
    // Takes the top-level window in, shown if it was shown.
    explicit ZoomedOutFrame(QWidget* window);
    // Gives the window back (see release) if it is still framed.
    ~ZoomedOutFrame() override;

    QWidget* framedWindow() const { return m_window; }

    // The size of one of the window's points in the frame's pixels, below 1.
    void setScale(qreal scale);

    // Gives the window back as a window of its own, where the frame stands, shown if it was
    // shown; with showAgain false (the window is going away) it is only let go.
    void release(bool showAgain = true);

protected:
    // The frame's close button closes the window, which decides what closing means.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepWindowOffScreen();

    QPointer<QWidget> m_window;
    QGraphicsProxyWidget* m_proxy = nullptr;
    bool m_quitOnClose = true;
    qreal m_scale = 1.0;
};
