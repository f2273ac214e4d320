#pragma once

#include <QString>

// Why one exchange failed, small enough to hand to a screen: the kind, and what the text
// names (the host, the time-out, the status). text() is the sentence a screen shows.
struct FetchFailure
{
    enum class Kind {
        None,            // the exchange worked
        TimedOut,        // no (whole) answer within `seconds`
        ConnectionRefused, // nothing listens at host:port
        CouldNotConnect, // the host did not take the connection (filtered, gone)
        HostNotFound,    // the name did not resolve
        NoNetwork,       // no route at all: the network is down
        Status,          // an answer arrived, but with a failing status
        CutShort,        // the connection ended before the answer was whole
        NoAnswer,        // the connection closed without a single byte of answer
        Secure,          // the TLS handshake or the certificate failed
        TooLarge,        // the answer was larger than any the caller takes
        Redirect,        // a redirect that is not followed (too many, or off the origin)
        SignIn,          // the site answered its sign-in page and the renewal failed
        Other,
    };

    Kind kind = Kind::None;
    QString host; // the host (and port, when not the scheme's) the exchange went to
    int port = 0;
    int seconds = 0;
    int status = 0;

    bool isFailure() const { return kind != Kind::None; }
    // Whether the machine itself is offline (as opposed to one server failing).
    bool isNoNetwork() const { return kind == Kind::NoNetwork; }

    // Who is at the far end: the site ("The site answered 503.") or the user's own
    // BitTorrent client, whose host and port the user typed ("Nothing is listening at
    // 127.0.0.1:9091.").
    enum class Far { Site, Client };

    // The sentence for a screen: "The site did not answer in 60 s.", "Could not connect to
    // www.tarnvale.org.", "The site answered 503.". Empty when nothing failed.
    QString text(Far far = Far::Site) const;

    static FetchFailure httpStatus(int code, const QString& host = QString());

    bool operator==(const FetchFailure&) const = default;
};
