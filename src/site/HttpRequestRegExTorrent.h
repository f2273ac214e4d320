#pragma once

#include "site/HttpRequest.h"
#include "site/Torrent.h"

#include <QList>
#include <QStringList>

#include <optional>

// A request for one of the site's torrent listing pages, read into Torrent records.
class HttpRequestRegExTorrent : public HttpRequest
{
public:
    // One table row of a listing.
    static const QString kRowPattern;

    explicit HttpRequestRegExTorrent(const QUrl& url);

    // Runs the exchange and reads the rows, marking those named in the download history.
    void request() override;

    // The page's rows in page order; empty for a page without rows, absent when the answer
    // could not be decoded.
    const std::optional<QList<Torrent>>& torrents() const { return m_torrents; }

    // Reads a listing page. A torrent is downloaded when history holds its name exactly.
    static QList<Torrent> parseTorrents(const QString& page, const QStringList& history);

private:
    std::optional<QList<Torrent>> m_torrents;
};
