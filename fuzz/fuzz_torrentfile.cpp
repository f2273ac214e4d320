// The torrent file check (bencode), its info name and its info hashes.
#include "FuzzSupport.h"

#include "remote/TorrentFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const bool isTorrent = TorrentFileCheck::isTorrentFile(bytes);
    const QString name = TorrentFileCheck::infoName(bytes);
    const QStringList hashes = TorrentFileCheck::infoHashes(bytes);

    FUZZ_ASSERT(hashes.isEmpty() != isTorrent);
    if (!isTorrent) {
        FUZZ_ASSERT(name.isNull());
        return 0;
    }
    FUZZ_ASSERT(bytes.startsWith('d'));
    FUZZ_ASSERT(bytes.contains("4:info"));
    FUZZ_ASSERT(name.size() <= bytes.size());
    FUZZ_ASSERT(hashes.size() == 2);
    for (const QString& hash : hashes) {
        FUZZ_ASSERT(hash.size() == 40);
        for (const QChar c : hash)
            FUZZ_ASSERT((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'));
    }
    return 0;
}
