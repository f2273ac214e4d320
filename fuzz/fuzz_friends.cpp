// The friends page reader.
#include "FuzzSupport.h"

#include "site/HttpRequestRegExFriends.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString page = fuzzPage(fuzzBytes(data, size));
    const QString webRoot = QStringLiteral("http://www.tarnvale.localhost/");
    const QList<Friend> friends = HttpRequestRegExFriends::parseFriends(page, webRoot);

    FUZZ_ASSERT(friends.size() <= page.count(QLatin1String("<img ")));
    for (const Friend& person : friends) {
        const QString avatar = person.avatarUrl();
        FUZZ_ASSERT(fuzzWithin(avatar, page)
                    || (avatar.startsWith(webRoot) && fuzzWithin(avatar.mid(webRoot.size()), page)));
        FUZZ_ASSERT(fuzzWithin(person.ids(), page));
        for (const QChar c : person.ids())
            FUZZ_ASSERT(c.isDigit());
        FUZZ_ASSERT(fuzzWithin(person.name(), page));
        FUZZ_ASSERT(fuzzWithin(person.type(), page));
        FUZZ_ASSERT(fuzzWithin(person.date(), page));
    }
    return 0;
}
