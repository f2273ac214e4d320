// The captcha readers: the script address on the sign-in page, then the challenge in that
// script and the picture address made from it. Input: sign-in page, a NUL byte, script.
#include "FuzzSupport.h"

#include "site/FetchPageCaptcha.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzSplit input = fuzzSplit(fuzzBytes(data, size));
    const QString host = SiteHosts::captchaHost();
    const QString page = fuzzPage(input.head);
    const auto tag = Regex::firstMatch(FetchPageCaptcha::scriptPattern(host), page);
    if (tag) {
        FUZZ_ASSERT(tag->size() == 2);
        FUZZ_ASSERT(tag->at(1).startsWith(QLatin1String("http://") + host));
        FUZZ_ASSERT(fuzzWithin(tag->at(1), page));
    }

    const QString script = fuzzPage(input.rest);
    const QString challenge = FetchPageCaptcha::challengeFromScript(script);
    FUZZ_ASSERT(challenge.isNull() || fuzzWithin(challenge, script));
    const QString image = FetchPageCaptcha::imageUrl(host, challenge);
    const QString prefix = QStringLiteral("http://") + host + QStringLiteral("/image?c=");
    FUZZ_ASSERT(image.startsWith(prefix));
    // The challenge goes into the address escaped: nothing but unreserved ASCII and escapes.
    for (const QChar c : QStringView(image).mid(prefix.size()))
        FUZZ_ASSERT(c.isLetterOrNumber() ? c.unicode() < 128 : QStringLiteral("-._~%").contains(c));
    return 0;
}
