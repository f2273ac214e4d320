#pragma once

#include "remote/BitClient.h"

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

protected:
    QString webPath() const override { return QStringLiteral("/transmission/web/"); }
    bool isAccepted(const HttpRequest& request) const override;

private:
    std::unique_ptr<HttpRequest> makeRpcRequest() const;
};
