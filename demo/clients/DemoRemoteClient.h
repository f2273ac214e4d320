#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class LoopbackDaemon;
class TransmissionDaemon;
class VuzeStandIn;

// The remote client the demo hands its torrents to: a private daemon of the client asked for
// (Transmission unless another is named) when it is installed and starts, otherwise the Vuze
// stand-in. Everything it starts listens on loopback only and stops with this object.
class DemoRemoteClient
{
public:
    DemoRemoteClient();
    ~DemoRemoteClient();
    DemoRemoteClient(const DemoRemoteClient&) = delete;
    DemoRemoteClient& operator=(const DemoRemoteClient&) = delete;

    // The clients a demo can start a daemon of, as --demo-client takes them (in any case).
    static QStringList names();
    static bool isKnown(const QString& name);

    // Starts the named client's daemon, or the stand-in when that does not come up (said on
    // standard error). False when nothing started.
    bool start(const QString& name, const QString& username, const QString& password);

    // The adapter's class name, address, port and credentials of what runs.
    QString clientClass() const { return m_class; }
    QString address() const { return m_address; }
    int port() const { return m_port; }
    QString username() const { return m_username; }
    QString password() const { return m_password; }
    // What runs, in words ("a Deluge of its own").
    QString description() const { return m_description; }

private:
    bool startDaemon(const QString& name, const QString& username, const QString& password, QString* error);

    std::unique_ptr<TransmissionDaemon> m_transmission;
    std::unique_ptr<LoopbackDaemon> m_daemon;
    std::unique_ptr<VuzeStandIn> m_vuze;
    QString m_class;
    QString m_address;
    int m_port = 0;
    QString m_username;
    QString m_password;
    QString m_description;
};
