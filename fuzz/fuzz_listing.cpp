// The listing parser with its history marks. Input: history names, one a line, a NUL byte,
// then the page (no NUL byte: the whole input is the page, with an empty history).
#include "FuzzSupport.h"

#include "site/HttpRequestRegExTorrent.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzSplit input = fuzzSplit(fuzzBytes(data, size));
    const QStringList history = QString::fromUtf8(input.head).split(u'\n', Qt::SkipEmptyParts);
    const QString page = fuzzPage(input.rest);

    bool timedOut = false;
    const QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(page, history, &timedOut);

    // Every record starts at a table row of its own.
    FUZZ_ASSERT(torrents.size() <= page.count(QLatin1String("<tr>")));
    for (const Torrent& torrent : torrents) {
        FUZZ_ASSERT(fuzzWithin(torrent.detailsUrl(), page));
        // The picture name has "gif" turned into "png": same length as in the page.
        FUZZ_ASSERT(torrent.type().size() <= page.size());
        // Decoding references never makes a text longer.
        FUZZ_ASSERT(torrent.name().size() <= page.size());
        FUZZ_ASSERT(torrent.subType().size() <= page.size());
        FUZZ_ASSERT(torrent.downloadUrl().startsWith(QLatin1String("/files/download/")));
        FUZZ_ASSERT(fuzzWithin(torrent.up(), page));
        FUZZ_ASSERT(fuzzWithin(torrent.down(), page));
        const QString size = torrent.size();
        FUZZ_ASSERT(size.endsWith(QLatin1String(" bytes")) || size.endsWith(QLatin1String(" KB"))
                    || size.endsWith(QLatin1String(" MB")) || size.endsWith(QLatin1String(" GB")));
        FUZZ_ASSERT(torrent.isDownloaded() == history.contains(torrent.name()));
    }
    return 0;
}
