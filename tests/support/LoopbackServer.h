#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QUrl>

#include <httplib.h>

#include <functional>
#include <memory>
#include <thread>

// What the server received in one request.
struct RecordedRequest
{
    QByteArray method;
    QByteArray target; // path and query as sent
    // In the order sent (plain http); a name sent twice appears twice.
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const; // the first, case-insensitive; null when absent
    QList<QByteArray> headerValues(const QByteArray& name) const;
};

// A small HTTP server on 127.0.0.1 and a free port, serving from its own threads for
// the life of the object. Every request is recorded, then answered by the handler (the
// default answers 200 with an empty body). With tls, it serves https with a certificate
// of LoopbackCertificates; header order is then the server library's (sorted by name).
class LoopbackServer
{
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    explicit LoopbackServer(bool tls = false);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return m_port; }
    QString hostAndPort() const; // "127.0.0.1:port"
    QUrl url(const QString& pathAndQuery) const;

    void setHandler(Handler handler);
    QList<RecordedRequest> requests() const;
    int requestCount() const;
    void clearRequests();

private:
    void serve(const httplib::Request& request, httplib::Response& response);

    bool m_tls;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable QMutex m_lock;
    Handler m_handler;
    QList<RecordedRequest> m_requests;
};
