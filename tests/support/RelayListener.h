#pragma once

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The listening half of a test relay on 127.0.0.1: accepts connections on a free port and
// serves each on a thread of its own with the function it was given. It keeps the sockets
// of connections under way, so that its end can shut them down and join every thread; a
// relay registers the upstream sockets it opens the same way.
class RelayListener
{
public:
    using Serve = std::function<void(int client)>;

    explicit RelayListener(Serve serve);
    ~RelayListener(); // shuts down every socket under way and joins every thread
    RelayListener(const RelayListener&) = delete;
    RelayListener& operator=(const RelayListener&) = delete;

    bool isListening() const { return m_listener >= 0; }
    int port() const { return m_port; }
    int connectionCount() const;

    // The accepted socket (given to serve) and any upstream socket a relay opens.
    void track(int fd);
    // Forgets and closes the socket.
    void close(int fd);

private:
    void acceptLoop();

    Serve m_serve;
    int m_listener = -1;
    int m_port = 0;
    mutable std::mutex m_lock;
    bool m_stopping = false;
    int m_connections = 0;
    std::vector<int> m_open;
    std::thread m_acceptor;
    std::vector<std::thread> m_workers;
};
