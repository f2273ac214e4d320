#pragma once

#include <QString>

// The alert texts of the remote hand-off and the remote web interface.
namespace RemoteTexts {
inline const QString websiteProblemTitle = QStringLiteral("Problem with website.");
inline const QString badDownloadUrl = QStringLiteral("The download url is bad.");
// Under the website title: the site's answer was not a .torrent file (a page instead).
inline const QString notTorrentFile = QStringLiteral("The site's answer is not a .torrent file.");
inline const QString connectionFailedTitle = QStringLiteral("Connection with server failed.");
inline const QString connectionFailedMessage =
    QStringLiteral("Please make sure you have correctly setup your remote download settings.");
// The torrent reached the client but the history could not be saved (a full disk, a folder
// that cannot be written): said rather than reported as a plain success.
inline const QString historyNotSavedTitle = QStringLiteral("History not saved.");
inline const QString historyNotSavedMessage = QStringLiteral(
    "The torrent was sent to your computer, but the download history could not be saved. Check that "
    "there is free space for iTarnvale's settings.");
inline const QString successTitle = QStringLiteral("Success!");
inline const QString okButton = QStringLiteral("Ok");
} // namespace RemoteTexts
