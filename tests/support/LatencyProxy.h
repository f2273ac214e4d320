#pragma once

#include "RelayListener.h"

// A TCP relay on 127.0.0.1 that makes loopback behave like a link with a round trip of its
// own: a new connection costs one round trip before its first byte goes on (the handshake),
// and every chunk reaches the other side half a round trip after it was read, in each
// direction and in order. A request on a kept connection so costs one round trip, on a new
// one two, as on a real link.
class LatencyProxy
{
public:
    LatencyProxy(int upstreamPort, int roundTripMs);
    LatencyProxy(const LatencyProxy&) = delete;
    LatencyProxy& operator=(const LatencyProxy&) = delete;

    bool isListening() const { return m_listener.isListening(); }
    int port() const { return m_listener.port(); }
    int connectionCount() const { return m_listener.connectionCount(); }

private:
    void serve(int client);

    int m_upstreamPort;
    int m_roundTripMs;
    // Last, so that it ends (and joins the threads that serve) before the rest goes.
    RelayListener m_listener{[this](int client) { serve(client); }};
};
