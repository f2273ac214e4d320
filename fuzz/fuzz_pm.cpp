// The private message form cleaner.
#include "FuzzSupport.h"

#include "site/HttpRequestRegExPm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = fuzzPage(fuzzBytes(data, size));
    const QString cleaned = HttpRequestRegExPm::cleanPage(page);

    // Either the page as it came, or its head followed by a piece after an advertising box.
    FUZZ_ASSERT(cleaned == page || cleaned.size() < page.size());
    if (cleaned != page) {
        FUZZ_ASSERT(cleaned.startsWith(QLatin1String("<head>")));
        FUZZ_ASSERT(page.contains(QLatin1String("<!-- End AD Box -->")) || page.contains(QLatin1String("<!--Adbox-->")));
    }
    return 0;
}
