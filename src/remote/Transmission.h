#pragma once

#include "remote/BitClient.h"

#include <QJsonObject>

// Transmission's remote access. The torrent goes in through the RPC call "torrent-add"
// (the file Base64-encoded in the JSON body), with the session id that the probe obtained
// in the "X-Transmission-Session-Id" header: the daemons' upload page refuses the query
// string, is gone in newer versions, and answers "added" even when nothing was.
class Transmission : public BitClient
{
public:
    static const char kSessionIdHeader[];

    QString className() const override { return QStringLiteral("Transmission"); }
    int getIndex() const override { return 1; }
    QString getDefaultPort() const override { return QStringLiteral("9091"); }
    QString getDefaultDescription() const override;

    // The RPC call's JSON body: {"method":"torrent-add","arguments":{"metainfo":"<Base64 of
    // the file>","paused":false}}.
    QByteArray getData() const override;
    QUrl getUrl() const override;
    // The session probe; sessionId becomes the answer's "X-Transmission-Session-Id", absent
    // when there is none.
    void setSessionId() override;
    // Sends the RPC call; a 409 that brings a fresh session id is answered once more with it.
    bool upload() override;
    // The RPC's "torrent-get", "torrent-stop", "torrent-start" and "torrent-remove".
    bool offersTorrentControl() const override { return true; }

protected:
    QString webPath() const override { return QStringLiteral("/transmission/web/"); }
    bool isAccepted(const HttpRequest& request) const override;
    std::optional<QList<RemoteTorrent>> listTorrents(const QString& onlyHash) override;
    bool sendAction(TorrentAction action, const QString& hash) override;

private:
    std::unique_ptr<HttpRequest> makeRpcRequest(const QByteArray& body) const;
    // Sends the body, once more with a fresh session id after a 409 that brings one.
    std::unique_ptr<HttpRequest> sendRpc(const QByteArray& body);
    // One RPC call: its "arguments", nullopt (with the failure set) when it did not succeed.
    std::optional<QJsonObject> call(const QString& method, const QJsonObject& arguments);
};
