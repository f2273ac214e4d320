#include "DemoTorrentFile.h"

#include "DemoBencode.h"


#include <openssl/sha.h>

namespace {

QByteArray sha1(const QByteArray& bytes)
{
    unsigned char digest[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<size_t>(bytes.size()), digest);
    return QByteArray(reinterpret_cast<const char*>(digest), SHA_DIGEST_LENGTH);
}

} // namespace

QByteArray DemoTorrentFile::content(const QString& fileName, int size)
{
    // A hash chain seeded by the name: cheap, deterministic, and not compressible to nothing.
    QByteArray out;
    out.reserve(size);
    QByteArray block = sha1(fileName.toUtf8());
    while (out.size() < size) {
        out += block;
        block = sha1(block);
    }
    out.truncate(size);
    return out;
}

QByteArray DemoTorrentFile::make(const QString& fileName, const QString& announceUrl, int contentSize)
{
    const QByteArray data = content(fileName, contentSize);
    QByteArray pieces;
    for (qsizetype at = 0; at < data.size(); at += kPieceLength)
        pieces += sha1(data.mid(at, kPieceLength));

    QVariantMap info;
    info.insert(QStringLiteral("length"), QVariant(qlonglong(data.size())));
    info.insert(QStringLiteral("name"), QVariant(fileName.toUtf8()));
    info.insert(QStringLiteral("piece length"), QVariant(qlonglong(kPieceLength)));
    info.insert(QStringLiteral("pieces"), QVariant(pieces));
    info.insert(QStringLiteral("private"), QVariant(qlonglong(1)));

    QVariantMap torrent;
    torrent.insert(QStringLiteral("announce"), QVariant(announceUrl.toUtf8()));
    torrent.insert(QStringLiteral("created by"), QVariant(QByteArray("iTarnvale demo")));
    torrent.insert(QStringLiteral("creation date"), QVariant(qlonglong(1262304000)));
    torrent.insert(QStringLiteral("info"), QVariant(info));
    return DemoBencode::encode(torrent);
}

QString DemoTorrentFile::nameOf(const QByteArray& torrent)
{
    const auto value = DemoBencode::decode(torrent);
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return {};
    const QVariant info = value->toMap().value(QStringLiteral("info"));
    if (info.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariant name = info.toMap().value(QStringLiteral("name"));
    if (name.typeId() != QMetaType::QByteArray)
        return {};
    return QString::fromUtf8(name.toByteArray());
}

QString DemoTorrentFile::infoHash(const QByteArray& torrent)
{
    const QByteArray info = DemoBencode::rawInfo(torrent);
    if (info.isEmpty())
        return {};
    return QString::fromLatin1(sha1(info).toHex());
}
