#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A private transmission-daemon for tests and the demo: its own temporary configuration
// and download folders, RPC bound to 127.0.0.1 on a free port with Basic authentication,
// and everything that would reach beyond this machine turned off (DHT, LPD, PEX, uTP, port
// mapping, blocklist).
//
// A free port is only free when it is looked at: another process (a parallel test starting
// its own daemon) may take it before this daemon binds it. So start() makes sure the RPC that
// answers is this daemon's own (it reports this daemon's download folder), and starts the
// daemon again on another port when something else holds the port or the daemon ended.
class TransmissionDaemon
{
public:
    TransmissionDaemon(const QString& username, const QString& password);
    ~TransmissionDaemon(); // stops the daemon
    TransmissionDaemon(const TransmissionDaemon&) = delete;
    TransmissionDaemon& operator=(const TransmissionDaemon&) = delete;

    // The daemon's program, or empty when it is not installed.
    static QString program();

    // Writes the configuration, starts the daemon and waits (up to timeoutMs in all) until its
    // own RPC answers, on another port when the first is taken. Returns false, with
    // errorText() saying why, when it did not come up.
    bool start(int timeoutMs = 15000);
    // The RPC port start() tries first; 0 (the default) takes any free one.
    void setPreferredRpcPort(int port) { m_preferredRpcPort = port; }
    // Asks the daemon to end (SIGTERM) and waits for it; kills it when it does not end.
    void stop();
    // Asks the daemon to end (SIGTERM) without waiting; stop() or the destructor waits.
    void terminate();
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
    // What answers on the RPC port.
    enum class Answer { Nothing, OwnRpc, SomethingElse };
    // How one launch ended.
    enum class Launch { Up, TryAnotherPort, Failed };

    static constexpr int kLaunchAttempts = 5;

    static int freePort();
    bool writeSettings(int rpcPort);
    Launch launch(int rpcPort, const QDeadlineTimer& deadline);
    Answer probe();
    // One RPC call: the HTTP status of the answer (0: nothing listens, -1: something answered,
    // but not in HTTP) and, for 200, its JSON object.
    int exchange(const QString& method, const QJsonObject& arguments, QJsonObject* reply);

    const QString m_username;
    const QString m_password;
    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess m_process;
    int m_rpcPort = 0;
    int m_preferredRpcPort = 0;
    QByteArray m_sessionId;
    QString m_error;
};
