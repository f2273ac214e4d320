#pragma once

#include "remote/BitClient.h"

// qBittorrent's Web UI (API v2). The handshake signs in with the Web UI's own form; the SID
// cookie it answers stays in the shared cookie store, goes with the upload that follows and
// reaches the web views too, so its web interface opens signed in. The upload is the API's
// multipart "torrents/add", which answers "Ok." when it took the file and "Fails." when it did
// not (a torrent it already holds among them).
class Qbittorrent : public BitClient
{
public:
    QString className() const override { return QStringLiteral("Qbittorrent"); }
    int getIndex() const override { return 3; }
    QString getDefaultPort() const override { return QStringLiteral("8080"); }
    QString getDefaultDescription() const override;

    QUrl getUrl() const override;
    // Signs in; handshakeFailed() when the Web UI refused the user name and password (and
    // does not let this address in without them).
    void setSessionId() override;
    // Sends the file; a torrent that the Web UI turned down but holds all the same is in the
    // client, like Transmission's duplicate.
    bool upload() override;
    // The Web API's "torrents/info", "torrents/pause", "torrents/resume" (as 4.x names them)
    // and "torrents/delete".
    bool offersTorrentControl() const override { return true; }

    QString prefixData() const override { return QStringLiteral("--"); }
    QString postfixData() const override;
    QString name() const override { return QStringLiteral("torrents"); }
    QString fileContentType() const override { return QStringLiteral("application/x-bittorrent"); }

protected:
    std::optional<QList<RemoteTorrent>> listTorrents(const QString& onlyHash) override;
    bool sendAction(TorrentAction action, const QString& hash) override;

private:
    // The Web UI turns away requests whose Referer or Origin names another site.
    QList<QPair<QString, QString>> sameOriginHeaders() const;
    // A GET of an API path with the session cookie; the request after it ran.
    std::unique_ptr<HttpRequest> get(const QString& pathAndQuery) const;
    bool holdsTorrent() const;
    // A control call (a POST when form is not null), signed in once more when the session
    // went; the request after it ran, or null (with the failure set) when it did not succeed.
    std::unique_ptr<HttpRequest> control(const QString& path, const QString& form);
};
