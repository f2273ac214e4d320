// The profile page cleaner.
#include "FuzzSupport.h"

#include "site/HttpRequestRegExProfileDetails.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = fuzzPage(fuzzBytes(data, size));
    const QString cleaned = HttpRequestRegExProfileDetails::cleanPage(page);

    if (cleaned != HttpRequestRegExProfileDetails::kErrorPage) {
        // The page's beginning up to a head end, then the content table from further on.
        FUZZ_ASSERT(cleaned.size() <= page.size());
        const qsizetype headEnd = cleaned.indexOf(QLatin1String("</head>")) + 7;
        FUZZ_ASSERT(headEnd >= 7 && page.startsWith(cleaned.left(headEnd)));
        FUZZ_ASSERT(cleaned.endsWith(QLatin1String("</table>")));
    }
    return 0;
}
