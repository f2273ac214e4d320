#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Tells a .torrent file from anything else a web server may answer (a sign-in page, an
// error page): the bytes must be one bencoded dictionary that holds an "info" dictionary.
// Only the structure is checked; the reading is bounded in depth, so hostile bytes cannot
// exhaust the stack.
class TorrentFileCheck
{
public:
    static bool isTorrentFile(const QByteArray& bytes);
    // The "name" text of the info dictionary; null when the bytes are not a torrent file or
    // its info dictionary has no name.
    static QString infoName(const QByteArray& bytes);
    // The ids a client may know the torrent by (40 lower-case hexadecimal digits each): the
    // SHA-1 of the info dictionary, then its SHA-256 cut to 20 bytes. Empty when the bytes are
    // not a torrent file.
    static QStringList infoHashes(const QByteArray& bytes);
};
