#include "LatencyProxy.h"

#include <algorithm>
#include <chrono>
#include <deque>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk
{
    Clock::time_point due;
    std::string bytes;
};

// One direction of a connection: what was read and when it may be written on.
struct Direction
{
    int from = -1;
    int to = -1;
    std::deque<Chunk> queue;
    bool ended = false;   // the reading side closed
    bool shutDown = false; // the end was passed on
};

bool sendAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= size_t(sent);
    }
    return true;
}

// Chunks go on as they fall due: Nagle's wait for an acknowledgement would add the peer's
// delayed-ack time to the round trip.
void noDelay(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        noDelay(fd);
        return fd;
    }
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace

LatencyProxy::LatencyProxy(int upstreamPort, int roundTripMs)
    : m_upstreamPort(upstreamPort)
    , m_roundTripMs(roundTripMs)
{
}

void LatencyProxy::serve(int client)
{
    const auto oneWay = std::chrono::microseconds(m_roundTripMs * 500);
    // The client may send once its handshake is done: one round trip after it began.
    const Clock::time_point handshakeDone = Clock::now() + 2 * oneWay;
    noDelay(client);
    const int upstream = connectTo(m_upstreamPort);
    if (upstream >= 0)
        m_listener.track(upstream);
    Direction ways[2];
    ways[0].from = client;
    ways[0].to = upstream;
    ways[1].from = upstream;
    ways[1].to = client;
    char buffer[16384];
    bool broken = upstream < 0;
    while (!broken && !(ways[0].shutDown && ways[1].shutDown)) {
        pollfd fds[2];
        int count = 0;
        for (Direction& way : ways)
            fds[count++] = {way.ended ? -1 : way.from, POLLIN, 0}; // a closed side is not asked again
        // Wake for the next chunk that falls due.
        int timeout = -1;
        const Clock::time_point now = Clock::now();
        for (const Direction& way : ways) {
            if (way.queue.empty())
                continue;
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(way.queue.front().due - now).count();
            const int ms = int(std::max<long long>(0, wait));
            timeout = timeout < 0 ? ms : std::min(timeout, ms);
        }
        if (::poll(fds, nfds_t(count), timeout) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            Direction& way = ways[i];
            if (way.ended || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = ::recv(way.from, buffer, sizeof buffer, 0);
            if (got <= 0) {
                way.ended = true;
                continue;
            }
            Clock::time_point due = Clock::now() + oneWay;
            if (i == 0)
                due = std::max(due, handshakeDone + oneWay);
            way.queue.push_back({due, std::string(buffer, size_t(got))});
        }
        for (Direction& way : ways) {
            while (!way.queue.empty() && way.queue.front().due <= Clock::now()) {
                if (!sendAll(way.to, way.queue.front().bytes.data(), way.queue.front().bytes.size()))
                    broken = true;
                way.queue.pop_front();
            }
            if (way.ended && way.queue.empty() && !way.shutDown) {
                ::shutdown(way.to, SHUT_WR);
                way.shutDown = true;
            }
        }
    }
    if (upstream >= 0)
        m_listener.close(upstream);
}
