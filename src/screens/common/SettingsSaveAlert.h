#pragma once

#include "settings/SaveResult.h"

#include <QString>

// Where a screen says that a settings write did not reach the file: an alert over the
// window with SaveResult::message(). One at a time: while one is up (a screen that stores
// several values at once, or a user who keeps trying), further failures add none.
class SettingsSaveAlert
{
public:
    static inline const QString kTitle = QStringLiteral("Settings not saved.");
    static inline const QString kButton = QStringLiteral("Ok");

    // True when the write was saved; otherwise puts the alert up and returns false. Main
    // thread.
    static bool check(const SaveResult& result);
};
