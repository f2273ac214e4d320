#pragma once

#include <QWidget>

class QVariantAnimation;

// The phone's on/off switch (51 x 31): a rounded track that turns green when on and a white
// knob that slides. A tap toggles it and reports valueChanged.
class Switch : public QWidget
{
    Q_OBJECT
public:
    explicit Switch(QWidget* parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on, bool animated = false);
    // What a tap does: turns the switch over and reports valueChanged (nothing when disabled).
    void toggle();
    QColor onTintColor() const { return m_onTint; }
    void setOnTintColor(const QColor& color);
    QSize sizeHint() const override { return {51, 31}; }

Q_SIGNALS:
    void valueChanged(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_on = false;
    double m_position = 0; // 0 off .. 1 on, animated
    QColor m_onTint = QColor(76, 217, 100);
    QVariantAnimation* m_animation = nullptr;
};
