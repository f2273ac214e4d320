// How an HTTP answer's bytes become the text every reader gets: UTF-8, then plain ASCII.
#include "FuzzSupport.h"

#include "site/HttpRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = HttpRequest::decodeBody(bytes);
    if (text.isNull()) {
        // Only bytes that are not UTF-8 fail, and those hold a byte above 127.
        FUZZ_ASSERT(QString::fromUtf8(bytes).toUtf8() != bytes);
        return 0;
    }
    // One byte gives at most one 16-bit unit; the text says the same bytes again.
    FUZZ_ASSERT(text.size() <= bytes.size());
    // (A leading byte order mark is dropped.)
    const QByteArray bom("\xef\xbb\xbf");
    FUZZ_ASSERT(text.toUtf8() == (bytes.startsWith(bom) ? bytes.mid(3) : bytes));
    return 0;
}
