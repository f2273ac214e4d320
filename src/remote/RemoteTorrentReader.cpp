#include "remote/RemoteTorrentReader.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <cmath>

namespace {
using State = RemoteTorrent::State;

qint64 whole(const QJsonValue& value)
{
    const double number = value.toDouble();
    return std::isfinite(number) ? qint64(number) : 0;
}

double fraction(double value)
{
    return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
}

// Clients say "no estimate" in their own ways (negative, 0 while unfinished, 100 days).
qint64 eta(const QJsonValue& value, double progress, qint64 unknownAbove)
{
    const qint64 seconds = whole(value);
    if (seconds < 0 || seconds >= unknownAbove || (seconds == 0 && progress < 1))
        return -1;
    return seconds;
}

// Transmission's "status": 0 stopped, 1 and 2 checking (waiting or running), 3 and 5 waiting
// to download or seed, 4 downloading, 6 seeding.
State transmissionState(const QJsonObject& torrent)
{
    if (whole(torrent.value(QLatin1String("error"))) != 0)
        return State::Error;
    switch (whole(torrent.value(QLatin1String("status")))) {
    case 0:
        return State::Paused;
    case 1:
    case 2:
        return State::Checking;
    case 3:
    case 5:
        return State::Queued;
    case 4:
        return torrent.value(QLatin1String("isStalled")).toBool() ? State::Stalled : State::Downloading;
    case 6:
        return State::Seeding;
    }
    return State::Stalled;
}

State qbittorrentState(const QString& state)
{
    // A seed nobody downloads from ("stalledUP") is still seeding; a download without
    // peers is stalled. A state a later version adds counts as stalled: nothing is known to move.
    static const QHash<QString, State> states{
        {QStringLiteral("error"), State::Error},          {QStringLiteral("missingFiles"), State::Error},
        {QStringLiteral("uploading"), State::Seeding},    {QStringLiteral("forcedUP"), State::Seeding},
        {QStringLiteral("stalledUP"), State::Seeding},    {QStringLiteral("pausedUP"), State::Paused},
        {QStringLiteral("pausedDL"), State::Paused},      {QStringLiteral("stoppedUP"), State::Paused},
        {QStringLiteral("stoppedDL"), State::Paused},     {QStringLiteral("queuedUP"), State::Queued},
        {QStringLiteral("queuedDL"), State::Queued},      {QStringLiteral("checkingUP"), State::Checking},
        {QStringLiteral("checkingDL"), State::Checking},  {QStringLiteral("checkingResumeData"), State::Checking},
        {QStringLiteral("allocating"), State::Checking},  {QStringLiteral("downloading"), State::Downloading},
        {QStringLiteral("forcedDL"), State::Downloading}, {QStringLiteral("metaDL"), State::Downloading},
        {QStringLiteral("forcedMetaDL"), State::Downloading}, {QStringLiteral("moving"), State::Downloading},
        {QStringLiteral("stalledDL"), State::Stalled}};
    return states.value(state, State::Stalled);
}

State delugeState(const QString& state)
{
    static const QHash<QString, State> states{
        {QStringLiteral("Downloading"), State::Downloading}, {QStringLiteral("Seeding"), State::Seeding},
        {QStringLiteral("Paused"), State::Paused},           {QStringLiteral("Checking"), State::Checking},
        {QStringLiteral("Allocating"), State::Checking},     {QStringLiteral("Queued"), State::Queued},
        {QStringLiteral("Moving"), State::Downloading},      {QStringLiteral("Error"), State::Error}};
    return states.value(state, State::Stalled);
}
} // namespace

namespace RemoteTorrentReader {

QStringList transmissionFields()
{
    return {QStringLiteral("hashString"),   QStringLiteral("name"),         QStringLiteral("percentDone"),
            QStringLiteral("status"),       QStringLiteral("error"),        QStringLiteral("isStalled"),
            QStringLiteral("rateDownload"), QStringLiteral("rateUpload"),   QStringLiteral("sizeWhenDone"),
            QStringLiteral("eta"),          QStringLiteral("addedDate")};
}

QList<RemoteTorrent> fromTransmission(const QJsonArray& torrents)
{
    QList<RemoteTorrent> list;
    for (const QJsonValue& value : torrents) {
        const QJsonObject torrent = value.toObject();
        const std::optional<QString> hash = RemoteTorrent::normalHash(torrent.value(QLatin1String("hashString")).toString());
        if (!hash)
            continue;
        RemoteTorrent record;
        record.hash = *hash;
        record.name = torrent.value(QLatin1String("name")).toString();
        record.progress = fraction(torrent.value(QLatin1String("percentDone")).toDouble());
        record.state = transmissionState(torrent);
        record.down = whole(torrent.value(QLatin1String("rateDownload")));
        record.up = whole(torrent.value(QLatin1String("rateUpload")));
        record.size = whole(torrent.value(QLatin1String("sizeWhenDone")));
        record.eta = eta(torrent.value(QLatin1String("eta")), 0, std::numeric_limits<qint64>::max());
        record.added = whole(torrent.value(QLatin1String("addedDate")));
        list.append(record);
    }
    return list;
}

QList<RemoteTorrent> fromQbittorrent(const QJsonArray& torrents)
{
    constexpr qint64 kInfinity = 8640000; // 100 days: the Web UI's "no estimate"
    QList<RemoteTorrent> list;
    for (const QJsonValue& value : torrents) {
        const QJsonObject torrent = value.toObject();
        const std::optional<QString> hash = RemoteTorrent::normalHash(torrent.value(QLatin1String("hash")).toString());
        if (!hash)
            continue;
        RemoteTorrent record;
        record.hash = *hash;
        record.name = torrent.value(QLatin1String("name")).toString();
        record.progress = fraction(torrent.value(QLatin1String("progress")).toDouble());
        record.state = qbittorrentState(torrent.value(QLatin1String("state")).toString());
        record.down = whole(torrent.value(QLatin1String("dlspeed")));
        record.up = whole(torrent.value(QLatin1String("upspeed")));
        record.size = whole(torrent.value(QLatin1String("size")));
        record.eta = eta(torrent.value(QLatin1String("eta")), 0, kInfinity);
        record.added = whole(torrent.value(QLatin1String("added_on")));
        list.append(record);
    }
    return list;
}

QStringList delugeKeys()
{
    return {QStringLiteral("name"),        QStringLiteral("progress"),     QStringLiteral("state"),
            QStringLiteral("download_payload_rate"), QStringLiteral("upload_payload_rate"),
            QStringLiteral("total_wanted"), QStringLiteral("eta"),         QStringLiteral("time_added")};
}

QList<RemoteTorrent> fromDeluge(const QJsonObject& torrents)
{
    QList<RemoteTorrent> list;
    for (auto it = torrents.begin(); it != torrents.end(); ++it) {
        const std::optional<QString> hash = RemoteTorrent::normalHash(it.key());
        if (!hash)
            continue;
        const QJsonObject torrent = it.value().toObject();
        RemoteTorrent record;
        record.hash = *hash;
        record.name = torrent.value(QLatin1String("name")).toString();
        // Deluge counts in percent.
        record.progress = fraction(torrent.value(QLatin1String("progress")).toDouble() / 100);
        record.state = delugeState(torrent.value(QLatin1String("state")).toString());
        record.down = whole(torrent.value(QLatin1String("download_payload_rate")));
        record.up = whole(torrent.value(QLatin1String("upload_payload_rate")));
        record.size = whole(torrent.value(QLatin1String("total_wanted")));
        // 0 is its "no estimate" while unfinished.
        record.eta = eta(torrent.value(QLatin1String("eta")), record.progress, std::numeric_limits<qint64>::max());
        record.added = whole(torrent.value(QLatin1String("time_added")));
        list.append(record);
    }
    return list;
}

} // namespace RemoteTorrentReader
