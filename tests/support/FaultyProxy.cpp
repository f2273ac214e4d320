#include "FaultyProxy.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

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

bool sendAll(int fd, const std::string& text)
{
    return sendAll(fd, text.data(), text.size());
}

// Reads up to the end of the request's head (and whatever came with it).
std::string readHead(int fd)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        head.append(buffer, size_t(got));
    }
    return head;
}

// The request with "Connection: close" in place of any Connection header of its own: the
// server then closes after its answer and the client cannot keep the connection, so each
// request comes on a connection of its own and meets the fault set at that moment.
std::string closingAfterAnswer(const std::string& request)
{
    const size_t end = request.find("\r\n\r\n");
    if (end == std::string::npos)
        return request;
    std::string head;
    size_t line = 0;
    while (line < end) {
        size_t next = request.find("\r\n", line);
        if (next == std::string::npos || next > end)
            next = end;
        const std::string text = request.substr(line, next - line);
        std::string name = text.substr(0, text.find(':'));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (line == 0 || (name != "connection" && name != "keep-alive"))
            head += text + "\r\n";
        line = next + 2;
    }
    return head + "Connection: close\r\n\r\n" + request.substr(end + 4);
}

} // namespace

FaultyProxy::FaultyProxy(int upstreamPort)
    : m_upstreamPort(upstreamPort)
{
}

FaultyProxy::~FaultyProxy()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_stopping = true;
    }
    m_changed.notify_all();
}

QString FaultyProxy::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void FaultyProxy::setFault(Fault fault, const std::string& onlyIf)
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_fault = fault;
    m_onlyIf = onlyIf;
}

void FaultyProxy::release()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        ++m_releases;
    }
    m_changed.notify_all();
}

int FaultyProxy::connectionCount() const
{
    return m_listener.connectionCount();
}

bool FaultyProxy::waitForRelease()
{
    std::unique_lock<std::mutex> locker(m_lock);
    const quint64 seen = m_releases;
    m_changed.wait(locker, [&] { return m_stopping || m_releases != seen; });
    return !m_stopping;
}

void FaultyProxy::serve(int client)
{
    const std::string head = readHead(client);
    Fault fault;
    {
        std::lock_guard<std::mutex> locker(m_lock);
        fault = m_onlyIf.empty() || head.find(m_onlyIf) != std::string::npos ? m_fault : Fault::Relay;
    }
    switch (fault) {
    case Fault::Relay:
        relay(client, head);
        break;
    case Fault::Hold:
        if (waitForRelease())
            relay(client, head);
        break;
    case Fault::Close:
        break;
    case Fault::Reset: {
        // A zero linger turns the close into a reset.
        linger hard{1, 0};
        ::setsockopt(client, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        break;
    }
    case Fault::CutBody:
        sendAll(client, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 4096\r\n\r\n<html><bod");
        break;
    case Fault::Answer503: {
        const std::string page = "<html><body>Busy</body></html>";
        sendAll(client, "HTTP/1.1 503 Service Unavailable\r\nContent-Type: text/html\r\nConnection: close\r\n"
                        "Content-Length: " + std::to_string(page.size()) + "\r\n\r\n" + page);
        break;
    }
    }
}

void FaultyProxy::relay(int client, const std::string& head)
{
    const int upstream = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(m_upstreamPort));
    if (upstream < 0 || ::connect(upstream, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || !sendAll(upstream, closingAfterAnswer(head))) {
        if (upstream >= 0)
            ::close(upstream);
        return;
    }
    m_listener.track(upstream);
    pollfd fds[2] = {{client, POLLIN, 0}, {upstream, POLLIN, 0}};
    char buffer[16384];
    for (bool open = true; open;) {
        if (::poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2 && open; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = ::recv(fds[i].fd, buffer, sizeof buffer, 0);
            open = got > 0 && sendAll(fds[1 - i].fd, buffer, size_t(got));
        }
    }
    m_listener.close(upstream);
}
