#include "RelayListener.h"

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

RelayListener::RelayListener(Serve serve)
    : m_serve(std::move(serve))
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 128) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_listener = fd;
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

RelayListener::~RelayListener()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_stopping = true;
        for (const int fd : m_open)
            ::shutdown(fd, SHUT_RDWR);
    }
    if (m_listener >= 0)
        ::shutdown(m_listener, SHUT_RDWR);
    if (m_acceptor.joinable())
        m_acceptor.join();
    for (std::thread& worker : m_workers)
        worker.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

int RelayListener::connectionCount() const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return m_connections;
}

void RelayListener::track(int fd)
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_open.push_back(fd);
    // One that comes while the relay ends is shut down at once, like those before it.
    if (m_stopping)
        ::shutdown(fd, SHUT_RDWR);
}

void RelayListener::close(int fd)
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_open.erase(std::remove(m_open.begin(), m_open.end(), fd), m_open.end());
    ::close(fd);
}

void RelayListener::acceptLoop()
{
    for (;;) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard<std::mutex> locker(m_lock);
        if (client < 0 || m_stopping) {
            if (client >= 0)
                ::close(client);
            return;
        }
        ++m_connections;
        m_open.push_back(client);
        m_workers.emplace_back([this, client] {
            m_serve(client);
            close(client);
        });
    }
}
