// The HTML character reference decoder.
#include "FuzzSupport.h"

#include "util/TextUtilities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzPage(fuzzBytes(data, size));
    const QString decoded = gtm_stringByUnescapingFromHTML(text);

    // A reference of at least four characters becomes one.
    FUZZ_ASSERT(decoded.size() <= text.size());
    FUZZ_ASSERT((decoded.size() == text.size()) == (decoded == text));
    if (!text.contains(u'&') || !text.contains(u';'))
        FUZZ_ASSERT(decoded == text);
    // What comes before the first "&" is left as it is.
    const qsizetype amp = text.indexOf(u'&');
    if (amp >= 0)
        FUZZ_ASSERT(decoded.startsWith(QStringView(text).left(amp)));
    return 0;
}
