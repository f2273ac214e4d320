#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}

// One file part of a multipart request, as a stand-in received it.
struct StandInPart
{
    QByteArray name;
    QByteArray fileName;
    QByteArray contentType;
    QByteArray content;
};

// One exchange a stand-in answered, kept so tests can compare what was sent.
struct StandInExchange
{
    QByteArray method;
    QByteArray target; // path and query as requested
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body; // the raw body of a request that is not multipart
    QList<StandInPart> parts;
    int status = 0;
    QByteArray reply;

    QByteArray header(const QByteArray& name) const;
};

// The common half of the stand-in remote clients: an HTTP server on 127.0.0.1 and a free
// port, run on its own thread, with HTTP Basic authentication and a record of every
// exchange and of the torrents added.
class StandInServer
{
public:
    StandInServer(const QString& username, const QString& password);
    virtual ~StandInServer();
    StandInServer(const StandInServer&) = delete;
    StandInServer& operator=(const StandInServer&) = delete;

    // Binds a free loopback port and starts serving. Returns false when no port was bound.
    bool start();
    void stop();
    int port() const { return m_port; }
    static QString address() { return QStringLiteral("127.0.0.1"); }

    QList<StandInExchange> exchanges() const;
    QStringList torrentNames() const; // names of the torrents added, in order
    void clear();

protected:
    httplib::Server& server() { return *m_server; }
    // True when the request carries the right credentials; otherwise answers 401.
    bool authorize(const httplib::Request& request, httplib::Response& response, const char* realm) const;
    void addTorrent(const QString& name);
    static QString htmlEscaped(const QString& text);
    static QList<StandInPart> partsOf(const httplib::Request& request);
    static QByteArray cookie(const httplib::Request& request, const QByteArray& name);

private:
    const QString m_username;
    const QString m_password;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_lock;
    QList<StandInExchange> m_exchanges;
    QStringList m_torrents;
};
