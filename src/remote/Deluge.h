#pragma once

#include "remote/BitClient.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

// Deluge's Web UI (deluge-web) and its JSON-RPC at "/json". The handshake signs in with the
// password alone (the Web UI has no user name; the session cookie it answers stays in the
// shared cookie store and reaches the web views, so its web interface opens without its
// password dialog) and, when the Web UI is not connected to a Deluge daemon, connects it to
// its default daemon or else the first of its hosts that takes the connection. The torrent
// goes to the daemon Base64-encoded through "core.add_torrent_file", which answers the new
// torrent's id, or an error (a torrent it already holds among them).
class Deluge : public BitClient
{
public:
    QString className() const override { return QStringLiteral("Deluge"); }
    int getIndex() const override { return 4; }
    QString getDefaultPort() const override { return QStringLiteral("8112"); }
    QString getDefaultDescription() const override;

    QUrl getUrl() const override;
    // The JSON-RPC call that adds the file: {"method":"core.add_torrent_file","params":[file
    // name, Base64 of the file, {}],"id":...}.
    QByteArray getData() const override;
    // Signs in and connects; handshakeFailed() when the password was refused or no daemon
    // could be connected.
    void setSessionId() override;
    // Sends the call; a torrent that the daemon turned down but holds all the same is in the
    // client, like Transmission's duplicate.
    bool upload() override;
    // The daemon's "core.get_torrents_status", "core.pause_torrent", "core.resume_torrent" and
    // "core.remove_torrent".
    bool offersTorrentControl() const override { return true; }

protected:
    std::optional<QList<RemoteTorrent>> listTorrents(const QString& onlyHash) override;
    bool sendAction(TorrentAction action, const QString& hash) override;

private:
    // One JSON-RPC call: the answer's object, nullopt when no answer in JSON came.
    std::optional<QJsonObject> call(const QString& method, const QJsonArray& params) const;
    std::optional<QJsonObject> post(const QByteArray& body) const;
    // Sets the failure of the last post that had no JSON answer: no answer, a refused
    // sign-in, a failing status.
    void noteExchangeFailure();
    bool connectDaemon() const;
    bool holdsTorrent() const;
    // A control call: its "result", nullopt (with the failure set) when it did not succeed.
    std::optional<QJsonValue> control(const QString& method, const QJsonArray& params);
    // Why the last post had no answer (kind None when it had one).
    mutable FetchFailure m_exchangeFailure;
};
