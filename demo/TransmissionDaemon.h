#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A private transmission-daemon for tests and the demo: its own temporary configuration
// and download folders, RPC bound to 127.0.0.1 on a free port with Basic authentication,
// and everything that would reach beyond this machine turned off (DHT, LPD, PEX, uTP, port
// mapping, blocklist).
class TransmissionDaemon
{
public:
    TransmissionDaemon(const QString& username, const QString& password);
    ~TransmissionDaemon(); // stops the daemon
    TransmissionDaemon(const TransmissionDaemon&) = delete;
    TransmissionDaemon& operator=(const TransmissionDaemon&) = delete;

    // The daemon's program, or empty when it is not installed.
    static QString program();

    // Writes the configuration, starts the daemon and waits (up to timeoutMs) until its RPC
    // answers. Returns false, with errorText() saying why, when it did not come up.
    bool start(int timeoutMs = 15000);
    // Asks the daemon to end (SIGTERM) and waits for it; kills it when it does not end.
    void stop();
    bool isRunning() const;

    int rpcPort() const { return m_rpcPort; }
    static QString address() { return QStringLiteral("127.0.0.1"); }
    QString username() const { return m_username; }
    QString password() const { return m_password; }
    QString downloadDirectory() const;
    QString errorText() const { return m_error; }

    // One RPC call with the daemon's own credentials (the session id handshake included):
    // the reply's JSON object, empty when the call failed.
    QJsonObject rpc(const QString& method, const QJsonObject& arguments = {});
    // The names of the torrents the daemon holds, or a null list when RPC failed.
    QStringList torrentNames();

private:
    static int freePort();
    bool writeSettings();

    const QString m_username;
    const QString m_password;
    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess m_process;
    int m_rpcPort = 0;
    QByteArray m_sessionId;
    QString m_error;
};
