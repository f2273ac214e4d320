#include "LoopbackServer.h"

#include "LoopbackCertificates.h"

#include <QDeadlineTimer>

#include <poll.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <unistd.h>

#include <memory>

namespace {

// A socket stream that keeps a copy of every byte read, so that the request's header lines
// can be read back in the order they arrived (the server library sorts them by name).
class RecordingStream : public httplib::Stream
{
public:
    explicit RecordingStream(int socket) : m_socket(socket) {}

    bool is_readable() const override { return wait(POLLIN); }
    bool is_writable() const override { return wait(POLLOUT); }
    ssize_t read(char* ptr, size_t size) override
    {
        if (!wait(POLLIN))
            return -1;
        const ssize_t n = ::recv(m_socket, ptr, size, 0);
        if (n > 0)
            raw.append(ptr, n);
        return n;
    }
    ssize_t write(const char* ptr, size_t size) override
    {
        return wait(POLLOUT) ? ::send(m_socket, ptr, size, MSG_NOSIGNAL) : -1;
    }
    void get_remote_ip_and_port(std::string& ip, int& port) const override { address(false, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { address(true, ip, port); }
    socket_t socket() const override { return m_socket; }

    QByteArray raw;

private:
    bool wait(short events) const
    {
        pollfd fd{m_socket, events, 0};
        return ::poll(&fd, 1, 10000) > 0;
    }
    void address(bool local, std::string& ip, int& port) const
    {
        sockaddr_in addr{};
        socklen_t length = sizeof addr;
        if ((local ? ::getsockname : ::getpeername)(m_socket, reinterpret_cast<sockaddr*>(&addr), &length) == 0) {
            char text[INET_ADDRSTRLEN] = {};
            ::inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text);
            ip = text;
            port = ntohs(addr.sin_port);
        }
    }

    int m_socket;
};

thread_local RecordingStream* t_stream = nullptr;

// Serves one request per connection through a RecordingStream.
class RecordingServer : public httplib::Server
{
private:
    bool process_and_close_socket(socket_t sock) override
    {
        RecordingStream stream(sock);
        t_stream = &stream;
        bool closed = false;
        const bool ok = process_request(stream, true, closed, [](httplib::Request&) {});
        t_stream = nullptr;
        ::shutdown(sock, SHUT_RDWR);
        ::close(sock);
        return ok;
    }
};

// The request's header lines, in the order they arrived.
QList<QPair<QByteArray, QByteArray>> headerLines(const QByteArray& raw)
{
    QList<QPair<QByteArray, QByteArray>> headers;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = raw.left(end < 0 ? raw.size() : end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            headers.append({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    return headers;
}

std::unique_ptr<httplib::Server> makeServer(bool tls, LoopbackServer::Certificate certificate)
{
    if (!tls)
        return std::make_unique<RecordingServer>();
    const LoopbackCertificates& certificates = LoopbackCertificates::instance();
    X509* shown = certificate == LoopbackServer::Certificate::ForLoopback ? certificates.serverCertificate()
                                                                         : certificates.wrongNameCertificate();
    return std::make_unique<httplib::SSLServer>(shown, certificates.serverKey());
}

} // namespace

QByteArray RecordedRequest::header(const QByteArray& name) const
{
    for (const auto& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

QList<QByteArray> RecordedRequest::headerValues(const QByteArray& name) const
{
    QList<QByteArray> values;
    for (const auto& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            values.append(h.second);
    }
    return values;
}

LoopbackServer::LoopbackServer(bool tls, Certificate certificate)
    : m_tls(tls)
    , m_listener(makeServer(tls, certificate))
{
    httplib::Server& server = m_listener.server();
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        serve(request, response);
    };
    server.Get(".*", handler);
    server.Post(".*", handler);
    server.Put(".*", handler);
    server.Delete(".*", handler);
    server.Options(".*", handler);
    server.Patch(".*", handler);
    // The library gives a client 5 s to send its request (and finish a TLS handshake) before
    // it drops the connection. A test with a thousand threads, under a sanitizer, on two
    // shared cores can starve one client that long; a dropped request is then a fault the
    // code never had. A real site's patience is not what these tests measure.
    server.set_read_timeout(120, 0);
    server.set_write_timeout(120, 0);
    // Called once the answer has been written to the socket.
    server.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        QMutexLocker locker(&m_lock);
        m_answered.append(QByteArray::fromStdString(request.target));
        m_answerWritten.wakeAll();
    });
    // The server library listens with a backlog of 5: many clients connecting at once would
    // see their connections dropped and retried after a second or more. The listening socket
    // is caught as it is made and given the system's largest backlog once it listens.
    auto listening = std::make_shared<socket_t>(INVALID_SOCKET);
    server.set_socket_options([listening](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        *listening = sock;
    });
    // Returns once the accept loop runs (connections made before that wait in the backlog),
    // or at once with the reason when the server could not bind.
    m_listening = m_listener.start(&m_error);
    if (m_listening && *listening != INVALID_SOCKET)
        ::listen(*listening, SOMAXCONN);
    if (!m_listening)
        qWarning("LoopbackServer: %s", qPrintable(m_error));
}

LoopbackServer::~LoopbackServer()
{
    // Before the members that handlers use go: stopping joins the threads serving requests.
    m_listener.stop();
}

QString LoopbackServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QUrl LoopbackServer::url(const QString& pathAndQuery) const
{
    return QUrl(QStringLiteral("%1://%2%3").arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"),
                                                  hostAndPort(), pathAndQuery));
}

void LoopbackServer::setHandler(Handler handler)
{
    QMutexLocker locker(&m_lock);
    m_handler = std::move(handler);
}

QList<RecordedRequest> LoopbackServer::requests() const
{
    QMutexLocker locker(&m_lock);
    return m_requests;
}

int LoopbackServer::requestCount() const
{
    QMutexLocker locker(&m_lock);
    return int(m_requests.size());
}

void LoopbackServer::clearRequests()
{
    QMutexLocker locker(&m_lock);
    m_requests.clear();
    m_answered.clear();
}

QList<QByteArray> LoopbackServer::answered() const
{
    QMutexLocker locker(&m_lock);
    return m_answered;
}

bool LoopbackServer::waitForAnswered(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker locker(&m_lock);
    while (m_answered.size() < count) {
        if (!m_answerWritten.wait(&m_lock, deadline))
            return m_answered.size() >= count;
    }
    return true;
}

void LoopbackServer::serve(const httplib::Request& request, httplib::Response& response)
{
    RecordedRequest record;
    record.method = QByteArray::fromStdString(request.method);
    record.target = QByteArray::fromStdString(request.target);
    record.body = QByteArray::fromStdString(request.body);
    if (t_stream) {
        // Taken from the wire: the server library keeps a multipart body only as its parts.
        const QByteArray& raw = t_stream->raw;
        record.headers = headerLines(raw);
        if (const qsizetype end = raw.indexOf("\r\n\r\n"); end >= 0)
            record.body = raw.mid(end + 4);
    } else {
        for (const auto& [name, value] : request.headers) {
            if (name != "REMOTE_ADDR" && name != "REMOTE_PORT" && name != "LOCAL_ADDR" && name != "LOCAL_PORT")
                record.headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
        }
    }
    Handler handler;
    {
        QMutexLocker locker(&m_lock);
        m_requests.append(record);
        handler = m_handler;
    }
    if (handler)
        handler(request, response);
    else
        response.set_content("", "text/html");
}
