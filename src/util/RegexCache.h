#pragma once

#include <QString>

#include <unicode/uversion.h>

#include <memory>

U_NAMESPACE_BEGIN
class RegexPattern;
U_NAMESPACE_END

// Every pattern is compiled once, with no options, and kept for the whole run, keyed by its
// text. Shared by all threads: a compiled ICU pattern may make matchers on any thread.
class RegexCache
{
public:
    // The compiled pattern; null when the text is not a valid ICU pattern.
    static std::shared_ptr<const icu::RegexPattern> pattern(const QString& text);
};
