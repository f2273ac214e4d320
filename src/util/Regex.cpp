#include "util/Regex.h"

#include "util/RegexCache.h"

#include <unicode/regex.h>

#include <atomic>
#include <memory>

namespace {

std::atomic<int> g_timeLimit{Regex::kDefaultTimeLimit};

// The text as ICU sees it: a read-only alias of the QString's UTF-16 buffer, no copy.
icu::UnicodeString alias(const QString& text)
{
    return icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

// ICU starts its clock again when a scan moves its start (region()); this count of ICU's time
// units keeps one budget for the whole scan.
struct Budget
{
    int limit = 0;
    int used = 0;
};

UBool countTime(const void* context, int32_t)
{
    auto* budget = static_cast<Budget*>(const_cast<void*>(context));
    return budget->limit <= 0 || ++budget->used < budget->limit;
}

struct Scan
{
    std::shared_ptr<const icu::RegexPattern> pattern;
    std::unique_ptr<icu::RegexMatcher> matcher;
    Budget budget;
    int64_t regionEnd = 0;
};

// input must outlive the scan, which must not move. No matcher when the pattern is invalid.
void openScan(Scan& scan, const QString& pattern, const icu::UnicodeString& input, qsizetype regionEnd)
{
    scan.pattern = RegexCache::pattern(pattern);
    if (!scan.pattern)
        return;
    UErrorCode status = U_ZERO_ERROR;
    scan.matcher.reset(scan.pattern->matcher(input, status));
    if (U_FAILURE(status)) {
        scan.matcher.reset();
        return;
    }
    scan.budget.limit = Regex::timeLimit();
    scan.matcher->setTimeLimit(scan.budget.limit, status);
    scan.matcher->setMatchCallback(countTime, &scan.budget, status);
    scan.regionEnd = input.length();
    // Only where matches may end changes: look-ahead still sees the rest, "$" does not match
    // at the region's end.
    scan.matcher->useTransparentBounds(true);
    scan.matcher->useAnchoringBounds(false);
    if (regionEnd >= 0 && regionEnd < input.length()) {
        scan.regionEnd = regionEnd;
        scan.matcher->region(0, regionEnd, status);
    }
}

bool outOfTime(UErrorCode status)
{
    return status == U_REGEX_TIME_OUT || status == U_REGEX_STOPPED_BY_CALLER;
}

Regex::Match readMatch(const icu::RegexMatcher& matcher, const QString& text)
{
    UErrorCode status = U_ZERO_ERROR;
    const int32_t groups = matcher.groupCount();
    Regex::Match match;
    match.captures.reserve(groups + 1);
    match.starts.reserve(groups + 1);
    for (int32_t group = 0; group <= groups; ++group) {
        const int64_t start = matcher.start64(group, status);
        const int64_t end = matcher.end64(group, status);
        if (U_FAILURE(status) || start < 0 || start == end)
            match.captures.append(QString(QLatin1String("")));
        else
            match.captures.append(text.mid(start, end - start));
        match.starts.append(U_FAILURE(status) ? -1 : start);
    }
    match.end = matcher.end64(status);
    return match;
}

} // namespace

bool Regex::scan(const QString& pattern, const QString& text, qsizetype regionEnd, const Visitor& visit,
                 qsizetype from)
{
    const icu::UnicodeString input = alias(text);
    Scan scan;
    openScan(scan, pattern, input, regionEnd);
    if (!scan.matcher)
        return true;
    UErrorCode status = U_ZERO_ERROR;
    if (from > 0) {
        if (from > scan.regionEnd)
            return true;
        scan.matcher->region(0, scan.regionEnd, from, status);
    }
    while (scan.matcher->find(status) && U_SUCCESS(status)) {
        const qsizetype next = visit(readMatch(*scan.matcher, text));
        if (next == kStop)
            break;
        if (next >= 0) {
            if (next > scan.regionEnd)
                break;
            scan.matcher->region(0, scan.regionEnd, next, status);
        }
    }
    return !outOfTime(status);
}

std::optional<QStringList> Regex::firstMatch(const QString& pattern, const QString& text,
                                             qsizetype regionEnd, bool* timedOut)
{
    std::optional<QStringList> first;
    const bool inTime = scan(pattern, text, regionEnd, [&first](const Match& match) {
        first = match.captures;
        return kStop;
    });
    if (timedOut)
        *timedOut = !inTime;
    return first;
}

QList<QStringList> Regex::allMatches(const QString& pattern, const QString& text, qsizetype regionEnd,
                                     bool* timedOut)
{
    QList<QStringList> matches;
    const bool inTime = scan(pattern, text, regionEnd, [&matches](const Match& match) {
        matches.append(match.captures);
        return kGoOn;
    });
    if (timedOut)
        *timedOut = !inTime;
    return matches;
}

QString Regex::replaceAll(const QString& pattern, const QString& text, const QString& replacement,
                          bool* timedOut)
{
    if (timedOut)
        *timedOut = false;
    const icu::UnicodeString input = alias(text);
    Scan scan;
    openScan(scan, pattern, input, -1);
    if (!scan.matcher)
        return text;
    const icu::UnicodeString with = alias(replacement);
    icu::UnicodeString out;
    int64_t copied = 0;
    bool replaced = false;
    UErrorCode status = U_ZERO_ERROR;
    while (scan.matcher->find(status) && U_SUCCESS(status)) {
        scan.matcher->appendReplacement(out, with, status);
        if (U_FAILURE(status))
            break;
        copied = scan.matcher->end64(status);
        replaced = true;
    }
    if (timedOut)
        *timedOut = outOfTime(status);
    if (!replaced)
        return text;
    // The rest after the last replacement, also when the time ran out.
    out.append(input, int32_t(copied), input.length() - int32_t(copied));
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}

int Regex::timeLimit()
{
    return g_timeLimit.load(std::memory_order_relaxed);
}

void Regex::setTimeLimit(int limit)
{
    g_timeLimit.store(limit, std::memory_order_relaxed);
}
