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
    // One record of a listing: a table row, or two when the category picture and the name
    // stand in a row of their own.
    static const QString kRowPattern;

    explicit HttpRequestRegExTorrent(const QUrl& url);

    // Runs the exchange and reads the rows, marking those named in the download history.
    void request() override;

    // The page's rows in page order; empty for a page without rows, absent when the answer
    // could not be decoded.
    const std::optional<QList<Torrent>>& torrents() const { return m_torrents; }
    // True when the page took longer to read than matching may take (Regex::timeLimit):
    // torrents() then holds only the rows before that point.
    bool timedOut() const { return m_timedOut; }

    // Reads a listing page. A torrent is downloaded when history holds its name exactly.
    // timedOut (when given) tells whether reading stopped at the time limit.
    static QList<Torrent> parseTorrents(const QString& page, const QStringList& history,
                                        bool* timedOut = nullptr);

private:
    std::optional<QList<Torrent>> m_torrents;
    bool m_timedOut = false;
};
