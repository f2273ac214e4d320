#pragma once

#include <QString>

// One favourite filter: the text the user typed, used as an ICU pattern. A name is accepted
// when ".*(text).*" matches in it (case-sensitive, "." not crossing line ends); the group makes
// alternatives written with "|" apply to the whole text.
//
// A text that is not a valid pattern (say an unbalanced parenthesis, stored by an older
// version or by hand) accepts nothing; the entry form refuses such a text with patternError.
// An empty text would accept every name (and show as an invisible row): it accepts none, and
// the entry form refuses it.
//
// A pattern that runs out of time on a name (a user may type "(a+)+b") does not accept that
// name, and the next name is tried as usual.
class Filter
{
public:
    // A name's share of the program's matching time: the limit of one listing page spread
    // over the rows of a page, so a filter costs a page at most what reading the page may.
    static constexpr int kRowsPerPage = 50;

    Filter() = default;
    explicit Filter(const QString& regex) : m_regex(regex) {}

    QString regex() const { return m_regex; }
    void setRegex(const QString& regex) { m_regex = regex; }

    // Through the pattern cache, under the time limit of one name.
    bool isAccepted(const QString& name) const;
    bool isValid() const { return patternError(m_regex).isNull(); }

    // The pattern a filter text is matched with.
    static QString pattern(const QString& text);
    // Why a text cannot be a filter, in words, with the place of the fault in the text
    // ("Not a valid pattern: unbalanced parenthesis, at character 6."); a null text when it
    // can. Both the text alone and the pattern made from it must be valid.
    static QString patternError(const QString& text);
    // The time limit of one name, in the units of Regex::timeLimit(); 0: no limit.
    static int nameTimeLimit();

private:
    QString m_regex;
};
