#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>

// Bencoding for the demo's torrent files and the stand-in clients. Values are QVariant:
// an integer (qlonglong), a byte string (QByteArray), a list (QVariantList) or a dictionary
// (QVariantMap; the demo's keys are ASCII, so QString order is the byte order bencoding needs).
class DemoBencode
{
public:
    static QByteArray encode(const QVariant& value);
    // The one value the bytes hold; nullopt when they are not exactly one bencoded value.
    static std::optional<QVariant> decode(const QByteArray& bytes);
    // The raw bytes of the top-level dictionary's "info" value (what the info hash is
    // taken over); empty when there is none.
    static QByteArray rawInfo(const QByteArray& torrent);
};
