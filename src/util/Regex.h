#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Matching with ICU patterns, compiled once (RegexCache). A match is read as its list of
// captures: index 0 the whole match, then group 1, 2, ...; a group that took no part reads as
// the empty text. All matches are the non-overlapping matches from the start, in order.
//
// Every match runs under a time limit so that no page, however hostile, can hold a thread:
// when the limit is reached, what was matched before it is kept (timedOut tells).
// regionEnd (when not negative) is a position no match may end after; the text beyond it
// stays visible to look-ahead, and "$" does not match there.
class Regex
{
public:
    struct Match
    {
        QStringList captures;
        QList<qsizetype> starts; // of each capture; -1 for a group that took no part
        qsizetype end = 0;       // of the whole match
    };
    // What a scan does after a match: kGoOn searches on after it, kStop ends the scan, a
    // position (not before the match's start) searches on from there.
    static constexpr qsizetype kGoOn = -1;
    static constexpr qsizetype kStop = -2;
    using Visitor = std::function<qsizetype(const Match&)>;

    static std::optional<QStringList> firstMatch(const QString& pattern, const QString& text,
                                                 qsizetype regionEnd = -1, bool* timedOut = nullptr);
    static QList<QStringList> allMatches(const QString& pattern, const QString& text,
                                         qsizetype regionEnd = -1, bool* timedOut = nullptr);
    // Hands every match, in order, to visit, searching from position from on. Returns false
    // when the time ran out.
    static bool scan(const QString& pattern, const QString& text, qsizetype regionEnd, const Visitor& visit,
                     qsizetype from = 0);
    // Replaces every match by replacement ("$1" names a group, "\" escapes). An invalid
    // pattern leaves the text unchanged.
    static QString replaceAll(const QString& pattern, const QString& text, const QString& replacement,
                              bool* timedOut = nullptr);

    // The limit in ICU's units, for one scan of a text (ICU counts on over the finds of one
    // matcher). One unit is about 10,000 backtracking steps, some 0.2 ms of the worst kind of
    // backtracking; an ordinary listing page of 50 rows needs a handful of units.
    static constexpr int kDefaultTimeLimit = 5000;
    static int timeLimit();
    static void setTimeLimit(int limit); // 0: no limit
};
