#pragma once

#include <QString>

// One favourite filter: the text the user typed, used as an ICU pattern. A name is accepted
// when ".*(text).*" matches in it (case-sensitive, "." not crossing line ends); the group makes
// alternatives written with "|" apply to the whole text.
class Filter
{
public:
    Filter() = default;
    explicit Filter(const QString& regex) : m_regex(regex) {}

    QString regex() const { return m_regex; }
    void setRegex(const QString& regex) { m_regex = regex; }

    // Through the pattern cache and the matching time limit; an invalid pattern accepts nothing.
    bool isAccepted(const QString& name) const;

private:
    QString m_regex;
};
