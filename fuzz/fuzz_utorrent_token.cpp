// The uTorrent Web UI token page: the token the upload address carries.
#include "FuzzSupport.h"

#include "remote/Utorrent.h"
#include "util/Regex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = fuzzPage(fuzzBytes(data, size));
    // As the token request reads its answer: group 1 of the first match.
    const auto match = Regex::firstMatch(QString::fromLatin1(Utorrent::kTokenPattern), page);
    if (!match)
        return 0;
    FUZZ_ASSERT(match->size() == 2);
    FUZZ_ASSERT(match->at(0).startsWith(QLatin1String("<html><div id='token'")));
    FUZZ_ASSERT(match->at(0).endsWith(QLatin1String("</div></html>")));
    FUZZ_ASSERT(fuzzWithin(match->at(1), page));
    FUZZ_ASSERT(!match->at(1).contains(u'\n'));
    return 0;
}
