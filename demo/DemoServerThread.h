#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

// One httplib server listening on 127.0.0.1 with its own accept thread. Routes are set on
// server() between bind() and start().
class DemoServerThread
{
public:
    // Serving threads: one per open connection, kept ones included.
    static constexpr int kThreads = 16;

    explicit DemoServerThread(std::unique_ptr<httplib::Server> server);
    ~DemoServerThread(); // stops
    DemoServerThread(const DemoServerThread&) = delete;
    DemoServerThread& operator=(const DemoServerThread&) = delete;

    httplib::Server& server() { return *m_server; }

    // Binds to 127.0.0.1 (port 0: any free port); connections wait until start().
    bool bind(int port, QString* error = nullptr);
    // Runs the accept loop on the thread; returns once it runs. Binds first if needed.
    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    int port() const { return m_port; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<bool> m_loopEnded{false};
};
