#include "screens/favourites/WatchSettingsControls.h"

#include "platform/ui/Label.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "screens/common/SettingsSaveAlert.h"
#include "watch/WatchSettings.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

WatchSettingsControls::WatchSettingsControls(QWidget* view)
    : QObject(view)
    , m_switch(view->findChild<Switch*>(QStringLiteral("watchSwitch")))
    , m_slider(view->findChild<Slider*>(QStringLiteral("watchIntervalSlider")))
    , m_value(view->findChild<Label*>(QStringLiteral("watchIntervalValue")))
{
    if (m_slider) {
        m_slider->setMinimumValue(WatchSettings::kMinInterval);
        m_slider->setMaximumValue(WatchSettings::kMaxInterval);
        m_slider->setSingleStep(kStep);
        m_slider->setPageStep(4 * kStep);
        m_slider->setAccessibleName(QStringLiteral("Look every"));
        connect(m_slider, &Slider::valueChanged, this, &WatchSettingsControls::moved);
        connect(m_slider, &Slider::valueChangeEnded, this, &WatchSettingsControls::changed);
    }
    if (m_switch) {
        m_switch->setAccessibleName(QStringLiteral("Watch for new ones"));
        connect(m_switch, &Switch::valueChanged, this, &WatchSettingsControls::switched);
    }
    reload();
}

Switch* WatchSettingsControls::watchSwitch() const { return m_switch; }
Slider* WatchSettingsControls::intervalSlider() const { return m_slider; }
Label* WatchSettingsControls::intervalValue() const { return m_value; }

void WatchSettingsControls::reload()
{
    if (m_switch)
        m_switch->setOn(WatchSettings::isEnabled());
    if (m_slider)
        m_slider->setValue(float(WatchSettings::interval()));
    moved();
}

QString WatchSettingsControls::intervalText(int minutes)
{
    if (minutes < 60)
        return QStringLiteral("%1 min").arg(minutes);
    const int rest = minutes % 60;
    return rest == 0 ? QStringLiteral("%1 h").arg(minutes / 60) : QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(rest);
}

int WatchSettingsControls::snapped(float value)
{
    const int steps = int(std::lround(value / float(kStep)));
    return std::clamp(steps * kStep, WatchSettings::kMinInterval, WatchSettings::kMaxInterval);
}

void WatchSettingsControls::switched(bool on)
{
    SettingsSaveAlert::check(WatchSettings::setEnabled(on));
}

void WatchSettingsControls::moved()
{
    if (m_slider && m_value)
        m_value->setText(intervalText(snapped(m_slider->value())));
}

void WatchSettingsControls::changed()
{
    const int minutes = snapped(m_slider->value());
    m_slider->setValue(float(minutes));
    moved();
    SettingsSaveAlert::check(WatchSettings::setInterval(minutes));
}
