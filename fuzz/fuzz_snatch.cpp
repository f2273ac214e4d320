// The snatch list reader (the table-data endpoint's script-style reply).
#include "FuzzSupport.h"

#include "site/HttpRequestRegExSnatchTorrent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzPage(fuzzBytes(data, size));
    const QList<Torrent> torrents = HttpRequestRegExSnatchTorrent::parseTorrents(reply);

    FUZZ_ASSERT(torrents.size() <= reply.count(QLatin1String("<a href=")));
    for (const Torrent& torrent : torrents) {
        // The link loses its escaping backslashes, the name its "&amp;"s: both only shrink.
        FUZZ_ASSERT(torrent.detailsUrl().startsWith(QLatin1String("/torrent/")));
        FUZZ_ASSERT(!torrent.detailsUrl().contains(u'\\'));
        FUZZ_ASSERT(torrent.detailsUrl().size() <= reply.size());
        FUZZ_ASSERT(torrent.name().size() <= reply.size());
        FUZZ_ASSERT(fuzzWithin(torrent.size(), reply));
        FUZZ_ASSERT(fuzzWithin(torrent.down(), reply));
        FUZZ_ASSERT(fuzzWithin(torrent.up(), reply));
        FUZZ_ASSERT(fuzzWithin(torrent.ratio(), reply));
        FUZZ_ASSERT(fuzzWithin(torrent.active(), reply));
    }
    return 0;
}
