#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// How large the phone-sized window is drawn on a desktop screen: its points scaled by the
// screen's logical DPI (96 dots per inch draw one point as one pixel) and by the user's zoom,
// which Ctrl+plus, Ctrl+minus and Ctrl+0 change and the settings keep between runs.
class WindowZoom : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kSettingsKey = "WindowZoomPercent";

    // Installs the zoom keys on the window; the zoom kept in the settings applies from apply().
    explicit WindowZoom(QWidget* window);

    // The zoom steps, in percent, like a browser's.
    static const QList<int>& steps();

    int percent() const { return m_percent; }
    // The smallest zoom this screen can draw whole: one point is never less than one pixel,
    // so on a screen of 96 dots per inch the window does not zoom out below 100 %, while on
    // one of 192 it goes down to 50 %.
    int smallestPercent() const;
    // The scale of a point in device-independent pixels: screen DPI times the zoom.
    qreal scaleFactor() const;

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

    QPointer<QWidget> m_window;
    int m_percent = 100;
};
