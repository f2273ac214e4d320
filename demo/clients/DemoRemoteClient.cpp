#include "DemoRemoteClient.h"

#include "DelugeDaemon.h"
#include "QbittorrentDaemon.h"
#include "TransmissionDaemon.h"
#include "VuzeStandIn.h"

#include <cstdio>

DemoRemoteClient::DemoRemoteClient() = default;
DemoRemoteClient::~DemoRemoteClient() = default;

QStringList DemoRemoteClient::names()
{
    return {QStringLiteral("Transmission"), QStringLiteral("qBittorrent"), QStringLiteral("Deluge")};
}

bool DemoRemoteClient::isKnown(const QString& name)
{
    return names().contains(name, Qt::CaseInsensitive);
}

bool DemoRemoteClient::startDaemon(const QString& name, const QString& username, const QString& password,
                                   QString* error)
{
    const QString notInstalled = QStringLiteral("not installed; scripts/setup installs it");
    if (name == QLatin1String("Transmission")) {
        if (TransmissionDaemon::program().isEmpty()) {
            *error = notInstalled;
            return false;
        }
        auto daemon = std::make_unique<TransmissionDaemon>(username, password);
        if (daemon->start()) {
            m_class = QStringLiteral("Transmission");
            m_address = TransmissionDaemon::address();
            m_port = daemon->rpcPort();
            m_username = username;
            m_description = QStringLiteral("a Transmission daemon of its own");
            m_transmission = std::move(daemon);
            return true;
        }
        *error = daemon->errorText();
        return false;
    }
    std::unique_ptr<LoopbackDaemon> daemon;
    if (name == QLatin1String("qBittorrent")) {
        if (QbittorrentDaemon::program().isEmpty()) {
            *error = notInstalled;
            return false;
        }
        daemon = std::make_unique<QbittorrentDaemon>(username, password);
    } else {
        if (DelugeDaemon::daemonProgram().isEmpty() || DelugeDaemon::webProgram().isEmpty()) {
            *error = notInstalled;
            return false;
        }
        daemon = std::make_unique<DelugeDaemon>(password);
    }
    if (!daemon->start()) {
        *error = daemon->errorText();
        return false;
    }
    m_class = daemon->clientName();
    m_address = LoopbackDaemon::address();
    m_port = daemon->port();
    m_username = daemon->username();
    m_description = QStringLiteral("a %1 of its own").arg(name);
    m_daemon = std::move(daemon);
    return true;
}

bool DemoRemoteClient::start(const QString& name, const QString& username, const QString& password)
{
    QString known = QStringLiteral("Transmission");
    for (const QString& client : names()) {
        if (client.compare(name, Qt::CaseInsensitive) == 0)
            known = client;
    }
    m_password = password;
    QString error;
    if (startDaemon(known, username, password, &error))
        return true;
    std::fprintf(stderr, "itarnvale: the demo's %s did not start (%s); using the Vuze stand-in\n", qPrintable(known),
                 qPrintable(error));
    m_vuze = std::make_unique<VuzeStandIn>(username, password);
    if (!m_vuze->start()) {
        std::fprintf(stderr, "itarnvale: the Vuze stand-in did not start\n");
        m_vuze.reset();
        return false;
    }
    m_class = QStringLiteral("Vuze");
    m_address = VuzeStandIn::address();
    m_port = m_vuze->port();
    m_username = username;
    m_description = QStringLiteral("the Vuze stand-in");
    return true;
}
