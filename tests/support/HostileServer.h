#pragma once

#include "LoopbackServer.h"

#include <QByteArray>
#include <QUrl>

#include <atomic>
#include <condition_variable>
#include <mutex>

// A loopback server that misbehaves the way it is told, for tests of what the app's requests
// put up with. Large bodies are streamed from a small buffer as the client reads them, never
// held whole, so the server itself costs next to no memory.
class HostileServer
{
public:
    enum class Misbehaviour {
        None,                // a small page, as a good server answers
        SlowDrip,            // 200, then a byte every 50 ms, never ending
        HugeLengthShortBody, // "Content-Length" of 2 GB, 1 KB of body, then the connection closes
        HugeTorrent,         // a 500 MB .torrent, its length given
        HugeTorrentChunked,  // the same, chunked: no length to refuse it by
        HugeListing,         // a 20 MB listing page, its length given
        HugeListingChunked,  // the same, chunked
        RedirectLoop,        // 302 to itself, without end
        RedirectElsewhere,   // 302 to redirectTarget()
        UnknownEncoding,     // "Content-Encoding: x-unknown" and bytes that are no text
    };

    static constexpr qint64 kHugeLength = 2LL * 1024 * 1024 * 1024;
    static constexpr qint64 kHugeTorrentBytes = 500LL * 1024 * 1024;
    static constexpr qint64 kHugeListingBytes = 20LL * 1024 * 1024;

    explicit HostileServer(bool tls = false,
                           LoopbackServer::Certificate certificate = LoopbackServer::Certificate::ForLoopback);
    ~HostileServer(); // ends every drip first, so that the server's threads can be joined
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;

    LoopbackServer& server() { return m_server; }
    QUrl url(const QString& pathAndQuery) const { return m_server.url(pathAndQuery); }

    void setMisbehaviour(Misbehaviour misbehaviour);
    void setRedirectTarget(const QUrl& target);

    // Body bytes written to clients so far (what a streamed answer got out before the client
    // gave up).
    qint64 bodyBytesSent() const { return m_sent.load(); }

private:
    void answer(const httplib::Request& request, httplib::Response& response);
    // Waits up to the time given; false once the server is going away.
    bool pause(int milliseconds);

    LoopbackServer m_server;
    std::atomic<Misbehaviour> m_misbehaviour{Misbehaviour::None};
    mutable std::mutex m_lock;
    std::condition_variable m_stopping;
    bool m_stopped = false;
    QUrl m_redirectTarget;
    std::atomic<qint64> m_sent{0};
};
