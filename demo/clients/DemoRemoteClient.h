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
//
// A daemon weighs a process and some megabytes that only a signed-in user needs, so prepare()
// chooses the client and its port without starting it, and startPending() starts it later on
// that port (another free one should the port have been taken meanwhile).
class DemoRemoteClient
{
public:
    DemoRemoteClient();
    ~DemoRemoteClient(); // stops what runs and waits for it
    DemoRemoteClient(const DemoRemoteClient&) = delete;
    DemoRemoteClient& operator=(const DemoRemoteClient&) = delete;

    // The clients a demo can start a daemon of, as --demo-client takes them (in any case).
    static QStringList names();
    static bool isKnown(const QString& name);

    // Chooses the named client's daemon and its port when it is installed, to be started by
    // startPending(); otherwise starts the stand-in at once (said on standard error). False when
    // nothing can run.
    bool prepare(const QString& name, const QString& username, const QString& password);
    // Whether prepare() chose a daemon that has not been started yet.
    bool isPending() const { return m_pending; }
    // Starts the daemon prepare() chose, or the stand-in when it does not come up (said on
    // standard error); the getters then describe what runs. False when nothing runs.
    bool startPending();
    // prepare() and startPending() at once.
    bool start(const QString& name, const QString& username, const QString& password);
    // Asks what runs to end without waiting for it, so that it ends while the application
    // tears down; the destructor waits.
    void beginStop();

    // The adapter's class name, address, port and credentials of what runs or is to run.
    QString clientClass() const { return m_class; }
    QString address() const { return m_address; }
    int port() const { return m_port; }
    QString username() const { return m_username; }
    QString password() const { return m_password; }
    // What runs, in words ("a Deluge of its own").
    QString description() const { return m_description; }

private:
    bool chooseDaemon(const QString& name, const QString& username, const QString& password, QString* error);
    bool startStandIn(const QString& username, const QString& password);

    QString m_name;          // the client whose daemon is chosen
    QString m_askedUsername; // what the stand-in takes should the daemon not come up
    bool m_pending = false;
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
