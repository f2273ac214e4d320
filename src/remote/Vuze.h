#pragma once

#include "remote/BitClient.h"

// Vuze (Azureus) with the Azureus HTML Web UI plug-in: the plug-in's upload form, which
// needs no handshake. It answers 200 whatever happened, so only a page saying the torrent
// "loaded successfully" counts as taken.
class Vuze : public BitClient
{
public:
    QString className() const override { return QStringLiteral("Vuze"); }
    int getIndex() const override { return 0; }
    QString getDefaultPort() const override { return QStringLiteral("6886"); }
    QString getDefaultDescription() const override;

    QUrl getUrl() const override;

    QString prefixData() const override;
    QString postfixData() const override;
    QString name() const override { return QStringLiteral("upfile_0"); }
    QString fileContentType() const override { return QStringLiteral("application/octet-stream"); }

protected:
    bool isAccepted(const HttpRequest& request) const override;
};
