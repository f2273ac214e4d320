#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;
class ZoomedOutFrame;

// How large the phone-sized window is drawn on a desktop screen: its points scaled by the
// screen's logical DPI (96 dots per inch draw one point as one pixel) and by the user's zoom,
// which Ctrl+plus, Ctrl+minus and Ctrl+0 change and the settings keep between runs.
// Down to one pixel a point Qt's own scaling draws the window; below that the window is
// shown through a ZoomedOutFrame.
class WindowZoom : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kSettingsKey = "WindowZoomPercent";

    // Installs the zoom keys on the window; the zoom kept in the settings applies from apply().
    explicit WindowZoom(QWidget* window);
    // A frame still up lets the window go as it goes, without showing it again.
    ~WindowZoom() override;

    // The zoom steps, in percent, like a browser's.
    static const QList<int>& steps();

    int percent() const { return m_percent; }
    // The scale of a point in device-independent pixels: screen DPI times the zoom.
    qreal scaleFactor() const;
    // What stands on the screen for the window: the window itself, or its frame when the
    // zoom draws a point smaller than a pixel.
    QWidget* shownWindow() const;

    // Draws the window at the current zoom; called before the window is first shown.
    void apply();

    void zoomIn();
    void zoomOut();
    void resetZoom();

Q_SIGNALS:
    void zoomChanged(int percent);

private:
    void setPercent(int percent);
    // Whether the window, drawn at that zoom, still fits the screen's free area.
    bool fitsScreen(int percent) const;
    qreal screenFactor() const;
    // Qt's scaling of the screen: one pixel a point or more.
    void applyScreenFactor(qreal factor);
    // Below one pixel a point the window goes into a frame; at one or more it comes out.
    void applyFrame(qreal scale);

    QPointer<QWidget> m_window;
    std::unique_ptr<ZoomedOutFrame> m_frame;
    int m_percent = 100;
};
