#include "FuzzSupport.h"

#include "site/HttpRequest.h"
#include "util/Regex.h"

#include <cstdio>
#include <cstdlib>

QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

QString fuzzPage(const QByteArray& bytes)
{
    const QString page = HttpRequest::decodeBody(bytes);
    return page.isNull() ? QString::fromUtf8(bytes) : page;
}

FuzzSplit fuzzSplit(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        return {QByteArray(), bytes};
    return {bytes.left(nul), bytes.mid(nul + 1)};
}

void fuzzFail(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
    std::abort();
}

bool fuzzWithin(const QString& part, const QString& text)
{
    return part.isEmpty() || text.contains(part);
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The app's time limit lets one scan run about a second. Every reader keeps what it found
    // before the limit, and that path is taken at any limit; a smaller one only lets the
    // fuzzer try many more inputs in its time. Fifty units are some 10 ms, still several
    // times what a listing page of fifty rows needs.
    Regex::setTimeLimit(50);
    return 0;
}
