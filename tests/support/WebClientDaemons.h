#pragma once

#include "DelugeDaemon.h"
#include "QbittorrentDaemon.h"

#include <QStringList>

// The private qBittorrent and Deluge of a test, one row of a data table each ("qbittorrent",
// "deluge", column "client" holding the adapter's class name). Each starts when its programs
// are installed; a row whose client is not installed is skipped.
class WebClientDaemons
{
public:
    WebClientDaemons(const QString& qbittorrentPassword, const QString& delugePassword);

    // Starts the installed clients; false, with the reason in errorText(), when one of them
    // did not come up.
    bool start();
    QString errorText() const { return m_error; }

    // Adds the column "client" and the two rows.
    void addRows();
    // The current row's daemon, or null when its client is not installed.
    LoopbackDaemon* current();
    // Points the remote settings at the daemon, with that password.
    static void storeSettings(LoopbackDaemon* daemon, const QString& password);

    QbittorrentDaemon& qbittorrent() { return m_qbittorrent; }
    DelugeDaemon& deluge() { return m_deluge; }

private:
    QbittorrentDaemon m_qbittorrent;
    DelugeDaemon m_deluge;
    QStringList m_running;
    QString m_error;
};
