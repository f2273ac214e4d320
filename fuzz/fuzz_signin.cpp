// What the app reads from the answer to a sign-in or a sign-in check: the decoded page, its
// title, whether it is the sign-in page, and (when it is not) the user name in its header.
#include "FuzzSupport.h"

#include "site/FetchPageLoginCheck.h"
#include "site/HttpRequest.h"
#include "site/HttpRequestRegExUserInfo.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString page = HttpRequest::decodeBody(bytes);
    if (page.isNull())
        return 0;
    const auto title = Regex::firstMatch(FetchPageLoginCheck::kTitlePattern, page);
    if (title) {
        FUZZ_ASSERT(title->size() == 2);
        FUZZ_ASSERT(fuzzWithin(title->at(0), page));
        FUZZ_ASSERT(title->at(0).contains(title->at(1)));
    }
    const QString result = title ? title->at(1) : page;
    if (SiteHosts::isLoginHeader(result))
        return 0;
    const QString userPage = HttpRequestRegExUserInfo::decodePage(bytes);
    // What decodes as UTF-8 also decodes for the user-info reader, to the same text.
    FUZZ_ASSERT(userPage == page);
    const QString name = HttpRequestRegExUserInfo::usernameFromPage(userPage);
    FUZZ_ASSERT(name.isNull() || fuzzWithin(name, page));
    return 0;
}
