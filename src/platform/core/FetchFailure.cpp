#include "platform/core/FetchFailure.h"

FetchFailure FetchFailure::httpStatus(int code, const QString& host)
{
    FetchFailure failure;
    failure.kind = Kind::Status;
    failure.status = code;
    failure.host = host;
    return failure;
}

QString FetchFailure::text(Far far) const
{
    const QString who = far == Far::Site ? QStringLiteral("The site") : QStringLiteral("The client");
    const QString where = port > 0 ? QStringLiteral("%1:%2").arg(host).arg(port) : host;
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::TimedOut:
        // The web engine does not say how long it waited.
        if (seconds <= 0)
            return QStringLiteral("%1 did not answer.").arg(who);
        return QStringLiteral("%1 did not answer in %2 s.").arg(who).arg(seconds);
    case Kind::ConnectionRefused:
        // The user typed the client's address and port: say which one is closed.
        if (far == Far::Client)
            return QStringLiteral("Nothing is listening at %1.").arg(where);
        return QStringLiteral("Could not connect to %1.").arg(host);
    case Kind::CouldNotConnect:
        return QStringLiteral("Could not connect to %1.").arg(host);
    case Kind::HostNotFound:
        return QStringLiteral("%1 was not found.").arg(host);
    case Kind::NoNetwork:
        return QStringLiteral("No network: %1 cannot be reached.").arg(host);
    case Kind::Status:
        // A client that turns the user's credentials away says so with these two; the
        // hand-off's alert names it the same way.
        if (far == Far::Client && (status == 401 || status == 403))
            return QStringLiteral("The client refused the user name or password.");
        return QStringLiteral("%1 answered %2.").arg(who).arg(status);
    case Kind::CutShort:
        return QStringLiteral("The connection to %1 was cut short.").arg(host);
    case Kind::NoAnswer:
        return QStringLiteral("%1 closed the connection without answering.").arg(who);
    case Kind::Secure:
        return QStringLiteral("The secure connection to %1 failed.").arg(host);
    case Kind::TooLarge:
        return QStringLiteral("%1 answered more than can be read.").arg(who);
    case Kind::Redirect:
        return QStringLiteral("%1 sent the request somewhere it may not go.").arg(who);
    case Kind::SignIn:
        return QStringLiteral("%1 asked to sign in again, and signing in failed.").arg(who);
    case Kind::Other:
        break;
    }
    return QStringLiteral("The exchange with %1 failed.").arg(host);
}
