#include "DemoServerThread.h"

#include <httplib.h>

#include <QDir>

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

DemoServerThread::DemoServerThread(std::unique_ptr<httplib::Server> server)
    : m_server(std::move(server))
{
    // httplib's default also sets SO_REUSEPORT, which lets a second demo bind the same port
    // and take half the connections. Only reuse an address that lingers from a past run.
    m_server->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // Connections are kept, as a real site keeps them: many requests each, and idle ones
    // for half a minute (stop() ends them at once). A kept connection holds one of the
    // server's threads while it waits, so there are enough threads for every client's.
    m_server->set_keep_alive_max_count(1000);
    m_server->set_keep_alive_timeout(30);
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
}

namespace {

// Ends the connections this process holds on the server's side of a loopback port (local
// address 127.0.0.1:port, with a peer). httplib waits for a kept connection's next request
// until its keep-alive time-out, and stop() would wait that long for each idle client.
// A shutdown, not a close: the serving thread still owns the descriptor and closes it.
void endKeptConnections(int port)
{
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString& name : fds) {
        bool ok = false;
        const int fd = name.toInt(&ok);
        if (!ok)
            continue;
        sockaddr_in local{};
        socklen_t length = sizeof local;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 || local.sin_family != AF_INET
            || ntohs(local.sin_port) != port || local.sin_addr.s_addr != htonl(INADDR_LOOPBACK))
            continue;
        sockaddr_in peer{};
        length = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0)
            ::shutdown(fd, SHUT_RDWR);
    }
}

} // namespace

DemoServerThread::~DemoServerThread()
{
    // httplib closes a bound socket only from its running loop: run it briefly if needed.
    if (m_port > 0 && !isRunning())
        start();
    stop();
}

bool DemoServerThread::bind(int port, QString* error)
{
    if (m_port > 0)
        return true;
    if (!m_server->is_valid()) {
        if (error)
            *error = QStringLiteral("the server could not be set up (certificate or key)");
        return false;
    }
    const char* host = "127.0.0.1";
    // A kept connection's answer goes in two writes, head and body; without TCP_NODELAY (which
    // the accepted sockets take from the listening one) the body waits for the client's
    // delayed acknowledgement, 40 ms, as no real site's server lets it.
    m_server->set_tcp_nodelay(true);
    const bool bound = port > 0 ? m_server->bind_to_port(host, port)
                                : (port = m_server->bind_to_any_port(host)) > 0;
    if (!bound) {
        if (error)
            *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port);
        return false;
    }
    m_port = port;
    return true;
}

bool DemoServerThread::start(QString* error)
{
    if (isRunning())
        return true;
    if (m_port == 0 && !bind(0, error))
        return false;
    // Wait until the loop runs, or a stop() from now on would find nothing to stop and
    // the thread would accept forever.
    m_loopEnded = false;
    m_thread = std::thread([this] {
        m_server->listen_after_bind();
        m_loopEnded = true;
    });
    while (!m_server->is_running() && !m_loopEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void DemoServerThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_server->stop();
    endKeptConnections(m_port);
    m_thread.join();
}
