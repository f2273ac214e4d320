#pragma once

#include "DemoServerThread.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QWaitCondition>
#include <QPair>
#include <QString>
#include <QUrl>

#include <httplib.h>

#include <functional>

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
//
// A server that could not listen says so through isListening() and error(); tests check it
// first (QVERIFY2(server.isListening(), ...)), as its port is then meaningless.
class LoopbackServer
{
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    // The certificate an https server shows: one for 127.0.0.1, or one for another name.
    enum class Certificate { ForLoopback, ForAnotherName };

    explicit LoopbackServer(bool tls = false, Certificate certificate = Certificate::ForLoopback);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool isListening() const { return m_listening; }
    QString error() const { return m_error; } // why it does not listen

    int port() const { return m_listener.port(); }
    QString hostAndPort() const; // "127.0.0.1:port"
    QUrl url(const QString& pathAndQuery) const;

    // Runs on the server's threads, one per connection, so a handler may block (see ReplyGate).
    void setHandler(Handler handler);
    QList<RecordedRequest> requests() const;
    int requestCount() const;
    void clearRequests(); // and answered()
    // The targets whose answers have been written out, in that order: a test waits on it
    // (QTRY_COMPARE) for "the server has answered", where requests() only says "has asked".
    // An entry is made just after the write, so a client may have read the answer first.
    QList<QByteArray> answered() const;
    // Blocks the calling thread until `count` answers are out (true) or the time is up (false):
    // for a worker thread that must not go on before then. The main thread uses QTRY_*.
    bool waitForAnswered(int count, int timeoutMs = 30000) const;

private:
    void serve(const httplib::Request& request, httplib::Response& response);

    bool m_tls;
    DemoServerThread m_listener;
    bool m_listening = false;
    QString m_error;
    mutable QMutex m_lock;
    mutable QWaitCondition m_answerWritten;
    Handler m_handler;
    QList<RecordedRequest> m_requests;
    QList<QByteArray> m_answered;
};
