#pragma once

#include "platform/core/FetchFailure.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

// One synchronous HTTP/1.1 exchange on the calling thread through libcurl, sharing the
// application's cookie store (CookieStore). Redirects are followed (one that keeps a body
// only within its origin), TLS is verified (against the system's CAs plus the extra CA file,
// when one was given).
struct UrlRequest
{
    QUrl url;
    QByteArray method = "GET";
    // Sent in this order; a name that appears twice is sent twice.
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int timeoutSeconds = 0; // 0: UrlLoader::defaultTimeoutSeconds()
    // A longer body makes the exchange fail as if no response had arrived.
    qint64 maxBodyBytes = 16 * 1024 * 1024; // more than any page of the site
};

struct UrlResponse
{
    int statusCode = 0;
    QUrl url; // the address of the final response, after redirects
    // Header fields of the final response in arrival order.
    QList<QPair<QByteArray, QByteArray>> headerFields;
    QByteArray body;
};

class UrlLoader
{
public:
    static constexpr int kDefaultTimeoutSeconds = 60;
    static constexpr int kMaxRedirects = 16;

    // The whole exchange's time-out (redirects included) when the request names none. Also
    // what ends an answer that never finishes. A value of 0 or less restores the default.
    static void setDefaultTimeoutSeconds(int seconds);
    static int defaultTimeoutSeconds();

    // Returns nullopt when no response arrived (network error, host not found, time-out);
    // `failure` (when given) then tells why, and is reset when a response arrived.
    static std::optional<UrlResponse> send(const UrlRequest& request, FetchFailure* failure = nullptr);
    // Whether a redirect may carry the request's Authorization and Cookie headers on: only to
    // the same host and port, and never from https down to plain http.
    static bool keepsCredentialsOnRedirect(const QUrl& from, const QUrl& to);
    // Whether a redirect may re-send the request's method and body (307, 308): only to the
    // same scheme, host and port. Otherwise send() fails as when no response arrived.
    static bool isSameOrigin(const QUrl& from, const QUrl& to);

    static constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;
    static constexpr qint64 kMaxTorrentBytes = 10 * 1024 * 1024;

    // A plain read of a URL's bytes (whole files, pictures): the body of a valid answer
    // (status 200 to 299), nullopt otherwise.
    static std::optional<QByteArray> contentsOfUrl(const QUrl& url, int timeoutSeconds = 0,
                                                   qint64 maxBodyBytes = kMaxPageBytes);

    // At quit: ends every exchange under way at once (as a failed one) by shutting its
    // sockets down. Once Shutdown has begun, new exchanges fail without being sent.
    static void abortAll();

    // Exchanges under way now, on every thread (for measurements that wait for a quiet link).
    static int exchangesUnderWay();

    // An extra CA file trusted besides the system's (the demo's certificate authority).
    static void setExtraCaFile(const QString& path);
    static QString extraCaFile();

    // curl_global_init, once per process, from whichever thread comes first.
    static void ensureCurlInitialized();
};
