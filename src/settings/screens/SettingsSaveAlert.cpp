#include "settings/screens/SettingsSaveAlert.h"

#include "platform/ui/AlertView.h"

#include <QPointer>

namespace {
// The alert up or on its way; it deletes itself once dismissed.
QPointer<AlertView> g_current;
} // namespace

bool SettingsSaveAlert::check(const SaveResult& result)
{
    if (result.isSaved())
        return true;
    if (g_current)
        return false;
    auto* alert = new AlertView(kTitle, result.message(), nullptr, kButton);
    g_current = alert;
    alert->show();
    return false;
}
