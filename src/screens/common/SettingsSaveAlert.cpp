#include "screens/common/SettingsSaveAlert.h"

#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"

#include <QPointer>

namespace {

// The alert up or on its way. Let go as soon as its button is chosen: the next failure,
// however soon, is said again.
class CurrentAlert : public AlertViewDelegate
{
public:
    bool isUp() const { return m_alert; }
    void show(const QString& message)
    {
        m_alert = new AlertView(SettingsSaveAlert::kTitle, message, this, SettingsSaveAlert::kButton);
        m_alert->show();
    }
    void clickedButtonAtIndex(AlertView* alert, int) override
    {
        if (alert == m_alert)
            m_alert = nullptr;
    }

private:
    QPointer<AlertView> m_alert; // deletes itself once dismissed
};

CurrentAlert& currentAlert()
{
    static CurrentAlert* const current = new CurrentAlert; // the process's whole run: alerts point at it
    return *current;
}

} // namespace

bool SettingsSaveAlert::check(const SaveResult& result)
{
    if (result.isSaved())
        return true;
    CurrentAlert& current = currentAlert();
    if (!current.isUp())
        current.show(result.message());
    return false;
}
