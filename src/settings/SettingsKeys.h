#pragma once

#include <QString>

// The keys of the settings store, each named in this one place.
namespace SettingsKeys {
// The download history: names of the torrents handed to the remote client, oldest first.
inline const QString torrentHistory = QStringLiteral("iTarnvale_torrentHistory");
} // namespace SettingsKeys
