// The details page cleaner and its film database link.
#include "FuzzSupport.h"

#include "site/HttpRequestRegExDetails.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = fuzzPage(fuzzBytes(data, size));
    const QString filmHost = QStringLiteral("www.imdb.com");
    QString imdb = QStringLiteral("unset");
    const QString cleaned = HttpRequestRegExDetails::cleanPage(page, filmHost, &imdb);

    // Either the page as it came or its head and details table with advertising cut out.
    FUZZ_ASSERT(cleaned.size() <= page.size());
    // The host goes into the pattern as it is, so its dots match any character.
    FUZZ_ASSERT(imdb.isNull()
                || (imdb.startsWith(QLatin1String("http://www")) && imdb.contains(QLatin1String("imdb"))
                    && imdb.contains(QLatin1String("/title/")) && imdb.endsWith(u'/') && fuzzWithin(imdb, page)));
    return 0;
}
