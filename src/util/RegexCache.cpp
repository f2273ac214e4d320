#include "util/RegexCache.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <unicode/regex.h>

namespace {

struct Cache
{
    QMutex lock;
    QHash<QString, std::shared_ptr<const icu::RegexPattern>> patterns;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

} // namespace

std::shared_ptr<const icu::RegexPattern> RegexCache::pattern(const QString& text)
{
    Cache& c = cache();
    QMutexLocker locker(&c.lock);
    const auto found = c.patterns.constFind(text);
    if (found != c.patterns.constEnd())
        return found.value();

    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    const icu::UnicodeString source(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
    std::shared_ptr<const icu::RegexPattern> compiled(icu::RegexPattern::compile(source, 0, parseError, status));
    if (U_FAILURE(status))
        compiled.reset();
    // An invalid pattern is remembered too, so that it is not compiled again.
    c.patterns.insert(text, compiled);
    return compiled;
}
