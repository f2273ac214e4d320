#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A TCP relay on 127.0.0.1 that makes loopback behave like a link with a round trip of its
// own: a new connection costs one round trip before its first byte goes on (the handshake),
// and every chunk reaches the other side half a round trip after it was read, in each
// direction and in order. A request on a kept connection so costs one round trip, on a new
// one two, as on a real link.
class LatencyProxy
{
public:
    LatencyProxy(int upstreamPort, int roundTripMs);
    ~LatencyProxy(); // closes every connection and joins its threads
    LatencyProxy(const LatencyProxy&) = delete;
    LatencyProxy& operator=(const LatencyProxy&) = delete;

    bool isListening() const { return m_listener >= 0; }
    int port() const { return m_port; }
    int connectionCount() const;

private:
    void acceptLoop();
    void serve(int client);

    int m_upstreamPort;
    int m_roundTripMs;
    int m_listener = -1;
    int m_port = 0;
    mutable std::mutex m_lock;
    bool m_stopping = false;
    int m_connections = 0;
    std::vector<int> m_open;
    std::thread m_acceptor;
    std::vector<std::thread> m_workers;
};
