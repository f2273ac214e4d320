#pragma once

#include "remote/BitClient.h"

// uTorrent's Web UI: a token fetched from its token page (with the GUID cookie it sets)
// goes into the upload address. It reports a refused file with status 200 and an "error"
// key in its JSON answer.
class Utorrent : public BitClient
{
public:
    static const char kTokenPattern[];

    QString className() const override { return QStringLiteral("Utorrent"); }
    int getIndex() const override { return 2; }
    QString getDefaultPort() const override { return QStringLiteral("8080"); }
    QString getDefaultDescription() const override;

    QUrl getUrl() const override;
    // The token fetch; sessionId becomes the token as captured.
    void setSessionId() override;

    QString prefixData() const override { return QStringLiteral("--"); }
    QString postfixData() const override;
    QString name() const override { return QStringLiteral("torrent_file"); }
    QString fileContentType() const override { return QStringLiteral("application/x-bittorrent"); }

protected:
    QString webPath() const override { return QStringLiteral("/gui/"); }
    bool isAccepted(const HttpRequest& request) const override;
};
