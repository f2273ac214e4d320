#pragma once

#include "remote/RemoteTorrent.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

// Reads the clients' own torrent lists into RemoteTorrent records. A record without a usable
// info hash is left out: nothing could be done with it, and its hash must not be sent back.
namespace RemoteTorrentReader {
// Transmission's "torrent-get" arguments' "torrents", with the fields of transmissionFields().
QList<RemoteTorrent> fromTransmission(const QJsonArray& torrents);
QStringList transmissionFields();
// qBittorrent's "torrents/info" answer.
QList<RemoteTorrent> fromQbittorrent(const QJsonArray& torrents);
// Deluge's "core.get_torrents_status" result (hash -> status), with the keys of delugeKeys().
QList<RemoteTorrent> fromDeluge(const QJsonObject& torrents);
QStringList delugeKeys();
} // namespace RemoteTorrentReader
