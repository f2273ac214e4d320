#pragma once

#include <QString>

// Why the client did not take a torrent, or its torrents could not be listed or a torrent
// paused, resumed or removed. One vocabulary for the hand-off, the Downloads screen and the
// command-line tools; a client that did not answer at all is said as the exchange failed
// ("Nothing is listening at HOST:PORT.", "HOST was not found.", "The client did not answer in N s.").
enum class RemoteControlFailure {
    None,
    NotOffered,     // the client's web interface has no such calls
    Unreachable,    // nothing answered at the address and port
    SignInRefused,  // the user name or password was refused (or no daemon behind the Web UI)
    Refused,        // the client answered the call with an error
    UnknownTorrent, // the client holds no torrent with that hash
    NotPaused,      // the client took the pause, but the torrent went on
    TorrentRefused, // the client answered, but did not take the torrent sent to it
    NoClient,       // no client is chosen in the remote settings
    BadAnswer,      // something answered, but not the client's calls
};

namespace RemoteControlFailureText {
inline QString text(RemoteControlFailure failure)
{
    switch (failure) {
    case RemoteControlFailure::None:
        return QString();
    case RemoteControlFailure::NotOffered:
        return QStringLiteral("This client does not offer its list of torrents.");
    case RemoteControlFailure::Unreachable:
        return QStringLiteral("The client did not answer. Check its address and port, and that it is running.");
    case RemoteControlFailure::SignInRefused:
        return QStringLiteral("The client refused the user name or password.");
    case RemoteControlFailure::Refused:
        return QStringLiteral("The client refused the request.");
    case RemoteControlFailure::UnknownTorrent:
        return QStringLiteral("The client holds no torrent with this hash.");
    case RemoteControlFailure::NotPaused:
        return QStringLiteral("The client did not pause the torrent.");
    case RemoteControlFailure::TorrentRefused:
        return QStringLiteral("The client refused the torrent.");
    case RemoteControlFailure::NoClient:
        return QStringLiteral("No remote client is set. Choose one in Remote Settings.");
    case RemoteControlFailure::BadAnswer:
        return QStringLiteral("The answer was not the client's.");
    }
    return QString();
}
} // namespace RemoteControlFailureText
