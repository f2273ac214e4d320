#include "settings/Filter.h"

#include "util/Regex.h"
#include "util/RegexCache.h"

#include <unicode/regex.h>

#include <algorithm>
#include <memory>

namespace {

const QString kBefore = QStringLiteral(".*(");
const QString kAfter = QStringLiteral(").*");

icu::UnicodeString alias(const QString& text)
{
    return icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

// ICU's pattern errors, as its own documentation describes them.
QString inWords(UErrorCode status)
{
    switch (status) {
    case U_REGEX_RULE_SYNTAX: return QStringLiteral("syntax error");
    case U_REGEX_BAD_ESCAPE_SEQUENCE: return QStringLiteral("unrecognised backslash escape");
    case U_REGEX_PROPERTY_SYNTAX: return QStringLiteral("incorrect Unicode property");
    case U_REGEX_UNIMPLEMENTED: return QStringLiteral("a feature the pattern engine does not offer");
    case U_REGEX_MISMATCHED_PAREN: return QStringLiteral("unbalanced parenthesis");
    case U_REGEX_NUMBER_TOO_BIG: return QStringLiteral("a number that is too large");
    case U_REGEX_BAD_INTERVAL: return QStringLiteral("error in a {min,max} repetition");
    case U_REGEX_MAX_LT_MIN: return QStringLiteral("in a {min,max} repetition, max is less than min");
    case U_REGEX_INVALID_BACK_REF: return QStringLiteral("back-reference to a group that does not exist");
    case U_REGEX_INVALID_FLAG: return QStringLiteral("invalid match mode flag");
    case U_REGEX_LOOK_BEHIND_LIMIT: return QStringLiteral("a look-behind without a bounded length");
    case U_REGEX_SET_CONTAINS_STRING: return QStringLiteral("a character set that contains a string");
    case U_REGEX_MISSING_CLOSE_BRACKET: return QStringLiteral("missing closing bracket ]");
    case U_REGEX_INVALID_RANGE: return QStringLiteral("a character range [x-y] with x after y");
    case U_REGEX_PATTERN_TOO_BIG: return QStringLiteral("a pattern too large or too complex");
    case U_REGEX_INVALID_CAPTURE_GROUP_NAME: return QStringLiteral("invalid group name");
    default: return QString::fromLatin1(u_errorName(status));
    }
}

} // namespace

QString Filter::pattern(const QString& text)
{
    return kBefore + text + kAfter;
}

int Filter::nameTimeLimit()
{
    const int page = Regex::timeLimit();
    return page <= 0 ? 0 : std::max(1, page / kRowsPerPage);
}

bool Filter::isAccepted(const QString& name) const
{
    // The text must be a pattern on its own too: "a)|(b" compiles only once wrapped, and is
    // then no longer one group. The empty text would take every name.
    if (m_regex.isEmpty() || !RegexCache::pattern(m_regex))
        return false;
    const std::shared_ptr<const icu::RegexPattern> compiled = RegexCache::pattern(pattern(m_regex));
    if (!compiled)
        return false;
    const icu::UnicodeString input = alias(name);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(input, status));
    if (U_FAILURE(status))
        return false;
    matcher->setTimeLimit(nameTimeLimit(), status);
    const bool found = matcher->find(status);
    // Out of time (U_REGEX_TIME_OUT) counts as no match.
    return found && U_SUCCESS(status);
}

QString Filter::patternError(const QString& text)
{
    // What the user typed first, so that the place of the fault is theirs; then the pattern
    // it becomes (a trailing "\Q" swallows the closing parenthesis, for one).
    const struct
    {
        QString source;
        int shift;
    } tries[] = {{text, 0}, {pattern(text), int(kBefore.size())}};
    for (const auto& attempt : tries) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError where{};
        std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(alias(attempt.source), 0, where, status));
        if (U_SUCCESS(status))
            continue;
        // ICU points just past the character at fault: its position counted from 1.
        const int position = int(std::clamp<qsizetype>(where.offset - attempt.shift, 1, std::max<qsizetype>(1, text.size())));
        return QStringLiteral("Not a valid pattern: %1, at character %2.").arg(inWords(status)).arg(position);
    }
    return QString();
}
