#pragma once

#include <QString>
#include <QUrl>

#include <curl/curl.h>

#include <mutex>
#include <vector>

// The libcurl handles kept between exchanges, each with the connections it holds open, so
// that the next request to a host reuses a connection instead of paying for a new one (a
// round trip, and a TLS handshake on https). libcurl 7.88 does not support sharing one
// connection cache between concurrent threads (its share's CURL_LOCK_DATA_CONNECT), so the
// connections travel with their handles: an exchange borrows the idle handle that last
// talked to its origin and gives it back when done. A handle serves one thread at a time;
// the mutex that hands it over orders its use across threads. Cookies, DNS and TLS sessions
// stay shared through the cookie store's share, which every handle is attached to.
class ConnectionPool
{
public:
    // Idle handles kept at most: more than the widest queue (10 pages at once) and the
    // pictures beside it. A handle returned beyond that closes the oldest idle one.
    static constexpr int kMaxIdle = 16;

    static ConnectionPool& shared();

    // The idle handle most recently given back for this URL's origin (scheme, host and
    // port), else a fresh one; null when libcurl cannot make one.
    CURL* take(const QUrl& url);
    // Back to the pool, kept for the origin of lastUrl (where the exchange ended): its
    // options are reset, its connections stay. Closed instead when keep is false or once
    // Shutdown has begun.
    void give(CURL* easy, const QUrl& lastUrl, bool keep);
    // Closes every idle handle and its connections (at quit, once no worker is left).
    void closeIdle();
    int idleCount() const;

    // Clears a handle's options and the cookie-file list that libcurl 7.88's reset would
    // forget without freeing; the handle keeps its connections and its share.
    static void resetHandle(CURL* easy);

private:
    ConnectionPool();
    ~ConnectionPool();

    static QString originOf(const QUrl& url);

    struct Idle
    {
        QString origin;
        CURL* easy;
    };
    mutable std::mutex m_lock;
    std::vector<Idle> m_idle; // oldest first
};
