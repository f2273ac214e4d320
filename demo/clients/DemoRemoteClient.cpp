#include "DemoRemoteClient.h"

#include "DelugeDaemon.h"
#include "QbittorrentDaemon.h"
#include "TransmissionDaemon.h"
#include "VuzeStandIn.h"

#include <cstdio>

DemoRemoteClient::DemoRemoteClient() = default;

DemoRemoteClient::~DemoRemoteClient()
{
    // The daemons' own destructors stop them and wait; the stand-in is a thread of this process.
    m_transmission.reset();
    m_daemon.reset();
    m_vuze.reset();
}

QStringList DemoRemoteClient::names()
{
    return {QStringLiteral("Transmission"), QStringLiteral("qBittorrent"), QStringLiteral("Deluge")};
}

bool DemoRemoteClient::isKnown(const QString& name)
{
    return names().contains(name, Qt::CaseInsensitive);
}

bool DemoRemoteClient::chooseDaemon(const QString& name, const QString& username, const QString& password,
                                    QString* error)
{
    const QString notInstalled = QStringLiteral("not installed; scripts/setup installs it");
    const int port = LoopbackDaemon::freePort();
    if (port == 0) {
        *error = QStringLiteral("no free port");
        return false;
    }
    if (name == QLatin1String("Transmission")) {
        if (TransmissionDaemon::program().isEmpty()) {
            *error = notInstalled;
            return false;
        }
        m_transmission = std::make_unique<TransmissionDaemon>(username, password);
        m_transmission->setPreferredRpcPort(port);
        m_class = QStringLiteral("Transmission");
        m_address = TransmissionDaemon::address();
        m_username = username;
    } else {
        if (name == QLatin1String("qBittorrent")) {
            if (QbittorrentDaemon::program().isEmpty()) {
                *error = notInstalled;
                return false;
            }
            m_daemon = std::make_unique<QbittorrentDaemon>(username, password);
        } else {
            if (DelugeDaemon::daemonProgram().isEmpty() || DelugeDaemon::webProgram().isEmpty()) {
                *error = notInstalled;
                return false;
            }
            m_daemon = std::make_unique<DelugeDaemon>(password);
        }
        m_daemon->setPreferredPorts({port});
        m_class = m_daemon->clientName();
        m_address = LoopbackDaemon::address();
        m_username = m_daemon->username();
    }
    m_port = port;
    m_description = name == QLatin1String("Transmission") ? QStringLiteral("a Transmission daemon of its own")
                                                          : QStringLiteral("a %1 of its own").arg(name);
    return true;
}

bool DemoRemoteClient::startStandIn(const QString& username, const QString& password)
{
    m_vuze = std::make_unique<VuzeStandIn>(username, password);
    if (!m_vuze->start()) {
        std::fprintf(stderr, "itarnvale: the Vuze stand-in did not start\n");
        m_vuze.reset();
        m_class.clear();
        m_port = 0;
        return false;
    }
    m_class = QStringLiteral("Vuze");
    m_address = VuzeStandIn::address();
    m_port = m_vuze->port();
    m_username = username;
    m_description = QStringLiteral("the Vuze stand-in");
    return true;
}

bool DemoRemoteClient::prepare(const QString& name, const QString& username, const QString& password)
{
    m_name = QStringLiteral("Transmission");
    for (const QString& client : names()) {
        if (client.compare(name, Qt::CaseInsensitive) == 0)
            m_name = client;
    }
    m_askedUsername = username;
    m_password = password;
    QString error;
    if (chooseDaemon(m_name, username, password, &error)) {
        m_pending = true;
        return true;
    }
    std::fprintf(stderr, "itarnvale: the demo's %s did not start (%s); using the Vuze stand-in\n", qPrintable(m_name),
                 qPrintable(error));
    return startStandIn(username, password);
}

bool DemoRemoteClient::startPending()
{
    if (!m_pending)
        return m_port != 0;
    m_pending = false;
    QString error;
    if (m_transmission) {
        if (m_transmission->start()) {
            m_port = m_transmission->rpcPort();
            return true;
        }
        error = m_transmission->errorText();
        m_transmission.reset();
    } else if (m_daemon) {
        if (m_daemon->start()) {
            m_port = m_daemon->port();
            return true;
        }
        error = m_daemon->errorText();
        m_daemon.reset();
    }
    std::fprintf(stderr, "itarnvale: the demo's %s did not start (%s); using the Vuze stand-in\n", qPrintable(m_name),
                 qPrintable(error));
    return startStandIn(m_askedUsername, m_password);
}

bool DemoRemoteClient::start(const QString& name, const QString& username, const QString& password)
{
    return prepare(name, username, password) && startPending();
}

void DemoRemoteClient::beginStop()
{
    if (m_transmission)
        m_transmission->terminate();
}
