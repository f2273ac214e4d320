#pragma once

#include <QAbstractButton>

class QVariantAnimation;

// The phone's on/off switch (51 x 31): a rounded track that turns green when on and a white
// knob that slides. A checkable button underneath, so taps, Space and readers (Qt's own
// check box interface, named by the label beside it) turn it over; the user's turns are
// reported by valueChanged, settings by code are not.
class Switch : public QAbstractButton
{
    Q_OBJECT
public:
    explicit Switch(QWidget* parent = nullptr);

    bool isOn() const { return isChecked(); }
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
    void showEvent(QShowEvent* event) override;

private:
    void moveKnob(bool on, bool animated);

    bool m_byCode = false;
    double m_position = 0; // 0 off .. 1 on, animated
    QColor m_onTint = QColor(76, 217, 100);
    QVariantAnimation* m_animation = nullptr;
};
