#pragma once

#include "LoopbackDaemon.h"

#include <QJsonArray>
#include <QJsonValue>

#include <functional>

// A private Deluge: deluged and deluge-web with one configuration folder of their own. The
// daemon listens for its interfaces and for peers on 127.0.0.1 with DHT, UPnP, NAT-PMP, peer
// exchange and local peer discovery off; the Web UI listens on 127.0.0.1 with the given
// password (it has no user name) and knows this daemon alone, under a host id of its own.
// After start() the Web UI is signed in by nobody and not connected to the daemon, as a
// freshly started one is. Its ports, in order: the Web UI's, the daemon's, the peers'.
class DelugeDaemon : public LoopbackDaemon
{
public:
    explicit DelugeDaemon(const QString& password);

    // The two programs, or empty when either is not installed.
    static QString daemonProgram();
    static QString webProgram();

    QString clientName() const override { return QStringLiteral("Deluge"); }
    std::optional<QMap<QString, QString>> torrents() override;

    // One JSON-RPC call, signed in with the daemon's password: the answer's "result", or
    // undefined when the call failed or answered an error.
    QJsonValue call(const QString& method, const QJsonArray& params = {});
    // Disconnects the Web UI from the daemon, as a freshly started Web UI is.
    bool disconnectWeb();

protected:
    bool findPrograms() override;
    bool launch() override;
    Answer probe() override;

private:
    bool writeConfiguration(int webPort, int daemonPort, int peerPort);
    bool signIn();
    // Connects the Web UI to this daemon for the length of what(), then leaves it as it was.
    QJsonValue withDaemon(const std::function<QJsonValue()>& what);

    QString m_hostId;
    int m_daemonPort = 0;
    QByteArray m_cookie;
};
