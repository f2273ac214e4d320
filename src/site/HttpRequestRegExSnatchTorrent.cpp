#include "site/HttpRequestRegExSnatchTorrent.h"

#include "util/Regex.h"

const QString HttpRequestRegExSnatchTorrent::kRowPattern = QStringLiteral(
    R"RX(<a href=\\"(\\/torrent\\/.*?)\\">(.*?)<\\/a>","(.*?)",".*?","(.*?)","(.*?)",(.*?),.*?,.*?,"(.*?)")RX");

HttpRequestRegExSnatchTorrent::HttpRequestRegExSnatchTorrent(const QUrl& url)
    : HttpRequest(url)
{
}

void HttpRequestRegExSnatchTorrent::request()
{
    HttpRequest::request();
    if (result().isNull())
        return;
    m_torrents = parseTorrents(result());
}

QList<Torrent> HttpRequestRegExSnatchTorrent::parseTorrents(const QString& reply)
{
    QList<Torrent> torrents;
    for (const QStringList& row : Regex::allMatches(kRowPattern, reply)) {
        Torrent torrent;
        torrent.setDetailsUrl(QString(row[1]).remove(QLatin1Char('\\')));
        // The reply escapes only the ampersand; other references are shown as they come.
        torrent.setName(QString(row[2]).replace(QLatin1String("&amp;"), QLatin1String("&")));
        torrent.setSize(row[3]);
        torrent.setDown(row[4]);
        torrent.setUp(row[5]);
        torrent.setRatio(row[6]);
        torrent.setActive(row[7]);
        torrents.append(torrent);
    }
    return torrents;
}
