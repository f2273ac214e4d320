#include "WebClientDaemons.h"

#include "remote/ServerInfo.h"

#include <QTest>

WebClientDaemons::WebClientDaemons(const QString& qbittorrentPassword, const QString& delugePassword)
    : m_qbittorrent(QStringLiteral("admin"), qbittorrentPassword), m_deluge(delugePassword)
{
}

bool WebClientDaemons::start()
{
    if (!QbittorrentDaemon::program().isEmpty()) {
        if (!m_qbittorrent.start()) {
            m_error = m_qbittorrent.errorText();
            return false;
        }
        m_running.append(m_qbittorrent.clientName());
    }
    if (!DelugeDaemon::daemonProgram().isEmpty() && !DelugeDaemon::webProgram().isEmpty()) {
        if (!m_deluge.start()) {
            m_error = m_deluge.errorText();
            return false;
        }
        m_running.append(m_deluge.clientName());
    }
    return true;
}

void WebClientDaemons::addRows()
{
    QTest::addColumn<QString>("client");
    QTest::newRow("qbittorrent") << m_qbittorrent.clientName();
    QTest::newRow("deluge") << m_deluge.clientName();
}

LoopbackDaemon* WebClientDaemons::current()
{
    QFETCH(QString, client);
    if (!m_running.contains(client))
        return nullptr;
    if (client == m_deluge.clientName())
        return &m_deluge;
    return &m_qbittorrent;
}

void WebClientDaemons::storeSettings(LoopbackDaemon* daemon, const QString& password)
{
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(daemon->clientName());
    info.setAddress(LoopbackDaemon::address());
    info.setPort(QString::number(daemon->port()));
    info.setUsername(daemon->username());
    info.setPassword(password);
}
