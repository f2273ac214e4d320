#pragma once

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>

class DemoServerThread;

// The notice service on its own host ("notice.localhost:<port>"): the application asks
// "/itarnvale.php?v=<version>&m=<model>&p=<system version>" after each sign-in and reads the
// answer "<word>:<message>" ("GO" goes on after the message, "STOP" keeps the login screen).
// By default it answers "GO:" and a welcome text; tests change the answer, its status and
// how long it takes. Every request is recorded.
class DemoNoticeService
{
public:
    static const char kHostName[];       // "notice.localhost"
    static const char kDefaultAnswer[];  // "GO:" + the welcome text

    DemoNoticeService();
    ~DemoNoticeService(); // stops
    DemoNoticeService(const DemoNoticeService&) = delete;
    DemoNoticeService& operator=(const DemoNoticeService&) = delete;

    bool start(QString* error = nullptr);
    void stop();
    int port() const;
    QString host() const; // "notice.localhost:<port>"; empty before start()

    // The body of every answer from now on ("" answers an empty body).
    void setAnswer(const QString& body);
    QString answer() const;
    void setStatus(int status);
    // The answer waits this long before it is sent (a stop() cuts the wait short).
    void setDelayMilliseconds(int milliseconds);
    // Back to "GO:" + welcome, status 200, no delay; the record stays.
    void reset();

    // The query texts of the requests received, oldest first, as they arrived.
    QStringList requests() const;
    void clearRequests();

private:
    mutable std::mutex m_lock;
    std::condition_variable m_stopped;
    bool m_stopping = false;
    QString m_answer;
    int m_status = 200;
    int m_delay = 0;
    QStringList m_requests;
    std::unique_ptr<DemoServerThread> m_server;
};
