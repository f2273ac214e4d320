#pragma once

#include "DemoServerThread.h"

#include <QByteArray>
#include <QUrl>

#include <atomic>
#include <memory>

// A small keep-alive HTTP server on 127.0.0.1 that counts the connections it accepts, to see
// whether clients reuse them. Every GET is answered 200 with a short page; "/hold" answers
// only once release() is called (or the server stops), so that requests can be made to
// overlap. With tls it serves https with the loopback certificate of LoopbackCertificates.
class CountingServer
{
public:
    explicit CountingServer(bool tls = false);
    ~CountingServer();
    CountingServer(const CountingServer&) = delete;
    CountingServer& operator=(const CountingServer&) = delete;

    bool isListening() const { return m_listening; }
    QString error() const { return m_error; }
    QUrl url(const QString& pathAndQuery) const;

    int acceptedConnections() const { return m_accepted->load(); }
    int requestCount() const { return m_requests->load(); }
    int holding() const { return m_holding->load(); } // requests of "/hold" now waiting
    void release();

private:
    struct Gate;

    bool m_tls;
    std::shared_ptr<std::atomic<int>> m_accepted = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> m_requests = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> m_holding = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<Gate> m_gate;
    DemoServerThread m_listener;
    bool m_listening = false;
    QString m_error;
};
