#pragma once

#include <QObject>
#include <QPointer>

class Label;
class Slider;
class Switch;

// The watch's switch and interval on the favourites page count screen (the layout's
// "watchSwitch", "watchIntervalSlider" and "watchIntervalValue"): they show the stored
// settings and store every finished change. The interval moves in steps of 15 minutes from
// 15 to 240. A layout without them leaves this doing nothing.
class WatchSettingsControls : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStep = 15;

    explicit WatchSettingsControls(QWidget* view);

    Switch* watchSwitch() const;
    Slider* intervalSlider() const;
    Label* intervalValue() const;

    // The stored values on the controls.
    void reload();
    // "30 min", "1 h", "1 h 45 min".
    static QString intervalText(int minutes);
    static int snapped(float value);

private:
    void switched(bool on);
    void moved();
    void changed();

    QPointer<Switch> m_switch;
    QPointer<Slider> m_slider;
    QPointer<Label> m_value;
};
