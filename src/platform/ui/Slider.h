#pragma once

#include <QWidget>

// A horizontal slider with a float value between a minimum and a maximum. While the thumb is
// dragged it reports valueChanged at every move (when continuous); when the drag ends it
// reports touchUpInside or touchUpOutside and then valueChangeEnded with the final value.
class Slider : public QWidget
{
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);

    float value() const { return m_value; }
    void setValue(float value);
    float minimumValue() const { return m_minimum; }
    void setMinimumValue(float value);
    float maximumValue() const { return m_maximum; }
    void setMaximumValue(float value);
    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous) { m_continuous = continuous; }
    bool isTracking() const { return m_tracking; }
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

private:
    float valueForX(double x) const;
    void moveTo(double x);

    float m_value = 0;
    float m_minimum = 0;
    float m_maximum = 1;
    bool m_continuous = true;
    bool m_tracking = false;
    double m_grabOffset = 0;
};
