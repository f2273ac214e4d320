#pragma once

#include "StandInServer.h"

#include <QMap>

// Answers as uTorrent's Web UI does for what the app uses: the token page with its GUID
// cookie, the add-file upload (only with a token that was issued together with the cookie
// the request carries), and a page listing the torrents added. Basic authentication on
// every path.
class UtorrentStandIn : public StandInServer
{
public:
    static constexpr int kBuild = 25406;

    UtorrentStandIn(const QString& username, const QString& password);

    // The tokens issued so far, each with the GUID cookie it belongs to.
    QMap<QByteArray, QByteArray> issuedTokens() const;

    // Answers a good upload with this body instead of the Web UI's {"build":...}, without
    // adding the torrent: a proxy's or another server's page in its place. Null: as the
    // Web UI answers.
    void setUploadReply(const QByteArray& body);

private:
    mutable std::mutex m_tokenLock;
    QByteArray m_uploadReply;
    QMap<QByteArray, QByteArray> m_tokens; // token -> GUID
    int m_serial = 0;
};
