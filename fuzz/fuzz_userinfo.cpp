// The user-info reader: its own decoding (ASCII, else UTF-8) and the user name in the
// page header's profile link.
#include "FuzzSupport.h"

#include "site/HttpRequestRegExUserInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString page = HttpRequestRegExUserInfo::decodePage(bytes);
    if (page.isNull())
        return 0;
    // One byte gives at most one 16-bit unit, in ASCII and in UTF-8 alike.
    FUZZ_ASSERT(page.size() <= bytes.size());
    const QString name = HttpRequestRegExUserInfo::usernameFromPage(page);
    FUZZ_ASSERT(name.isNull() || fuzzWithin(name, page));
    FUZZ_ASSERT(name == name.trimmed());
    return 0;
}
