#pragma once

#include "site/HttpRequest.h"
#include "site/Torrent.h"

#include <QList>

#include <optional>

// The reply of the site's table-data endpoint for the snatch list: a script-style array of
// rows whose HTML is written with escaped slashes and quotes, read into Torrent records.
class HttpRequestRegExSnatchTorrent : public HttpRequest
{
public:
    // One row of the reply; "\\" in it matches one backslash of the reply.
    static const QString kRowPattern;

    explicit HttpRequestRegExSnatchTorrent(const QUrl& url);

    void request() override;

    // In reply order; empty when nothing matched, absent when the answer was not decodable.
    const std::optional<QList<Torrent>>& torrents() const { return m_torrents; }

    // Reads a reply: details link, name, size, down, up, ratio and active of every row.
    static QList<Torrent> parseTorrents(const QString& reply);

private:
    std::optional<QList<Torrent>> m_torrents;
};
