#pragma once

#include <QString>

// Why the client's torrents could not be listed or a torrent paused, resumed or removed.
enum class RemoteControlFailure {
    None,
    NotOffered,     // the client's web interface has no such calls
    Unreachable,    // nothing answered at the address and port
    SignInRefused,  // the user name or password was refused (or no daemon behind the Web UI)
    Refused,        // the client answered the call with an error
    UnknownTorrent, // the client holds no torrent with that hash
    NotPaused,      // the client took the pause, but the torrent went on
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
    case RemoteControlFailure::BadAnswer:
        return QStringLiteral("The answer was not the client's.");
    }
    return QString();
}
} // namespace RemoteControlFailureText
