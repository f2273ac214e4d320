#include "platform/ui/WebLoadFailure.h"

#include <QWebEngineLoadingInfo>

namespace {

// The engine's network error numbers that have a kind of their own.
FetchFailure::Kind kindOfNetError(int code)
{
    using Kind = FetchFailure::Kind;
    switch (code) {
    case -7:   // timed out
    case -118: // connection timed out
        return Kind::TimedOut;
    case -102: // connection refused
        return Kind::ConnectionRefused;
    case -104: // connection failed
    case -109: // address unreachable
        return Kind::CouldNotConnect;
    case -108: // address invalid
        return Kind::CouldNotConnect;
    case -105: // name not resolved
    case -137: // name resolution failed
        return Kind::HostNotFound;
    case -106: // internet disconnected
        return Kind::NoNetwork;
    case -100: // connection closed
    case -101: // connection reset
    case -354: // content length mismatch
    case -355: // incomplete chunked encoding
        return Kind::CutShort;
    case -324: // empty response
        return Kind::NoAnswer;
    case -310: // too many redirects
        return Kind::Redirect;
    default:
        break;
    }
    // The engine numbers certificate and TLS failures from -200 to -299.
    if (code <= -200 && code > -300)
        return Kind::Secure;
    return Kind::Other;
}

} // namespace

FetchFailure webLoadFailure(const QWebEngineLoadingInfo& info)
{
    FetchFailure failure;
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return failure;
    failure.host = info.url().host();
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
    case QWebEngineLoadingInfo::HttpErrorDomain:
        // An answer with a failing status and nothing to show (with a body it is a page).
        return FetchFailure::httpStatus(info.errorCode(), failure.host);
    case QWebEngineLoadingInfo::CertificateErrorDomain:
        failure.kind = FetchFailure::Kind::Secure;
        return failure;
    default:
        break;
    }
    // No number, or -3 (aborted): a load stopped on the way (the user's, or ours), not failed.
    if (info.errorCode() == 0 || info.errorCode() == -3)
        return FetchFailure();
    failure.kind = kindOfNetError(info.errorCode());
    return failure;
}
