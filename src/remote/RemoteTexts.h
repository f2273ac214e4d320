#pragma once

#include <QString>

// The alert texts of the remote hand-off and the remote web interface.
namespace RemoteTexts {
inline const QString websiteProblemTitle = QStringLiteral("Problem with website.");
inline const QString badDownloadUrl = QStringLiteral("The download url is bad.");
inline const QString connectionFailedTitle = QStringLiteral("Connection with server failed.");
inline const QString connectionFailedMessage =
    QStringLiteral("Please make sure you have correctly setup your remote download settings.");
inline const QString successTitle = QStringLiteral("Success!");
inline const QString okButton = QStringLiteral("Ok");
} // namespace RemoteTexts
