#pragma once

#include <QByteArray>
#include <QString>

// Valid single-file .torrent metainfo for the demo site: bencoded, with the SHA-1 of every
// piece of the (deterministic) content, so a real client accepts and can verify it. The
// announce address is whatever the caller gives (the demo uses loopback only).
class DemoTorrentFile
{
public:
    static constexpr int kPieceLength = 16384;

    // The metainfo for a file called fileName holding content().
    static QByteArray make(const QString& fileName, const QString& announceUrl, int contentSize = 40000);
    // Deterministic content for a name: the same name always gives the same bytes.
    static QByteArray content(const QString& fileName, int size);
    // The "name" of the info dictionary; null when the bytes are not a torrent.
    static QString nameOf(const QByteArray& torrent);
    // The info hash as 40 lower-case hexadecimal digits; empty when the bytes are not a torrent.
    static QString infoHash(const QByteArray& torrent);
};
