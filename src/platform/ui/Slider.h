#pragma once

#include <QSlider>

// A horizontal slider between a minimum and a maximum, drawn as the phone draws it. The values
// are whole numbers (the app's sliders count pages and minutes); the float face is the one the
// screens were written against. A QSlider underneath, so the arrows, Page Up/Down, Home and
// End move it, and readers get Qt's own slider interface (named by the label beside it).
//
// The user's changes are reported, the screens' are not: while the thumb is dragged or a key
// is held, valueChanged comes at every move (a drag's only at its end when not continuous);
// when the drag ends, touchUpInside or touchUpOutside comes and then valueChangeEnded, as it
// does when a key is let go or a reader sets the value.
class Slider : public QSlider
{
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);

    float value() const { return float(QSlider::value()); }
    void setValue(float value);
    float minimumValue() const { return float(minimum()); }
    void setMinimumValue(float value);
    float maximumValue() const { return float(maximum()); }
    void setMaximumValue(float value);
    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous) { m_continuous = continuous; }
    bool isTracking() const { return isSliderDown(); }
    // Where the thumb's centre stands for a value, in the slider's coordinates.
    double xForValue(float value) const;

Q_SIGNALS:
    void touchDown(Slider* sender);
    void valueChanged(Slider* sender);
    void touchUpInside(Slider* sender);
    void touchUpOutside(Slider* sender);
    void valueChangeEnded(Slider* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int valueForX(double x) const;
    void moveTo(double x);
    void positionChanged();

    bool m_continuous = true;
    bool m_byCode = false;
    bool m_keyHeld = false;  // within a key press
    bool m_keyMoved = false; // keys moved it and have not all been let go
    double m_grabOffset = 0;
};
