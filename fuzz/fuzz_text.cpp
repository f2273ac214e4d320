// The escaping helpers the site access rests on: form values, URL texts from pages, Base64.
#include "FuzzSupport.h"

#include "util/TextUtilities.h"

namespace {

bool isUrlSafe(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F || QStringLiteral("\"<>\\^`{|}").contains(c))
            return false;
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes the escapes ("%" and two hexadecimal digits); any other "%" stays. (Qt's own
// decoder reads a "%" before non-hexadecimal characters as an escape all the same.)
QByteArray unescape(const QByteArray& text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            out += char(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = fuzzPage(bytes);

    // A form value comes back whole once its escapes are undone.
    const QString form = stringWithPercentEscape(text);
    FUZZ_ASSERT(isUrlSafe(form));
    FUZZ_ASSERT(unescape(form.toLatin1()) == text.toUtf8());

    // A URL text: escapes the page already made stay, the rest is escaped once; undoing all
    // escapes gives the same bytes as undoing those of the original.
    const QString url = urlPercentEscape(text);
    FUZZ_ASSERT(isUrlSafe(url));
    FUZZ_ASSERT(unescape(url.toLatin1()) == unescape(text.toUtf8()));

    const QString base64 = base64Encoding(bytes);
    FUZZ_ASSERT(base64.size() == (bytes.size() + 2) / 3 * 4);
    FUZZ_ASSERT(QByteArray::fromBase64(base64.toLatin1()) == bytes);
    return 0;
}
