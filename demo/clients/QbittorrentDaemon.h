#pragma once

#include "LoopbackDaemon.h"

#include <QByteArray>
#include <QJsonDocument>

// A private qbittorrent-nox: a profile folder of its own whose configuration sets the Web UI
// on 127.0.0.1 and a free port with the given user name and password (asked of every address,
// this machine's too), the legal notice accepted, and DHT, PeX, local peer discovery, UPnP and
// NAT-PMP, peer country look-ups and the torrent listening port's reach beyond 127.0.0.1 off.
// Its ports, in order: the Web UI's, the peers'.
class QbittorrentDaemon : public LoopbackDaemon
{
public:
    QbittorrentDaemon(const QString& username, const QString& password);

    // The Web UI's program, or empty when it is not installed.
    static QString program();

    QString clientName() const override { return QStringLiteral("Qbittorrent"); }
    std::optional<QMap<QString, QString>> torrents() override;

    // One GET of an API path, signed in with the daemon's credentials: the answer's JSON, null
    // when it did not answer with status 200.
    QJsonDocument api(const QString& path);

protected:
    bool findPrograms() override;
    bool launch() override;
    Answer probe() override;

private:
    bool writeConfiguration(int webPort, int peerPort);
    // Signs in when there is no session yet: whether there is one now.
    bool signIn();
    // The Web UI's configuration line for the password: PBKDF2-SHA512 of a random salt.
    QByteArray passwordLine() const;

    QByteArray m_cookie;
};
