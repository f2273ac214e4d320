#include "util/Regex.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

class TestRegex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Regex::setTimeLimit(Regex::kDefaultTimeLimit); }
    void allMatches_data();
    void allMatches();
    void firstMatch();
    void replaceAll_data();
    void replaceAll();
    void timeLimitKeepsEarlierMatches();
    void scanCanResumeElsewhere();
};

using Matches = QList<QStringList>;

void TestRegex::allMatches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("regionEnd");
    QTest::addColumn<Matches>("matches");
    QTest::newRow("groups in order") << "(\\w)=(\\d)" << "a=1 b=2" << qsizetype(-1)
                                     << Matches{{"a=1", "a", "1"}, {"b=2", "b", "2"}};
    QTest::newRow("group that took no part is empty") << "(x)|(y)" << "y" << qsizetype(-1)
                                                      << Matches{{"y", "", "y"}};
    QTest::newRow("dot stops at line break") << "a.b" << "a\nb axb" << qsizetype(-1) << Matches{{"axb"}};
    QTest::newRow("case-sensitive") << "ab" << "AB ab" << qsizetype(-1) << Matches{{"ab"}};
    QTest::newRow("non-overlapping") << "aa" << "aaaaa" << qsizetype(-1) << Matches{{"aa"}, {"aa"}};
    QTest::newRow("no match ends past the region") << "<b>(\\d+)</b>" << "<b>1</b><b>2</b>" << qsizetype(12)
                                                   << Matches{{"<b>1</b>", "1"}};
    QTest::newRow("look-ahead sees past the region") << "a(?=b)" << "ab" << qsizetype(1) << Matches{{"a"}};
    QTest::newRow("invalid pattern") << "(" << "(" << qsizetype(-1) << Matches{};
}

void TestRegex::allMatches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(qsizetype, regionEnd);
    QFETCH(Matches, matches);
    bool timedOut = true;
    QCOMPARE(Regex::allMatches(pattern, text, regionEnd, &timedOut), matches);
    QVERIFY(!timedOut);
}

void TestRegex::firstMatch()
{
    const auto match = Regex::firstMatch("id=(\\d+)", "x id=12 id=34");
    QVERIFY(match);
    QCOMPARE(*match, QStringList({"id=12", "12"}));
    QVERIFY(!Regex::firstMatch("id=(\\d+)", "none"));

    // The compiled pattern is shared by threads matching at once.
    QList<QFuture<QStringList>> runs;
    for (int i = 0; i < 8; ++i)
        runs.append(QtConcurrent::run([i] {
            return Regex::firstMatch("n(\\d+)", QStringLiteral("n%1").arg(i)).value_or(QStringList());
        }));
    for (int i = 0; i < 8; ++i)
        QCOMPARE(runs[i].result().value(1), QString::number(i));
}

void TestRegex::replaceAll_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("tags removed") << "<.*?>" << "<a href=\"x\">Drama</a> &amp; <b>Crime</b>" << ""
                                  << "Drama &amp; Crime";
    QTest::newRow("group reference") << "(\\d+)" << "a1b22" << "[$1]" << "a[1]b[22]";
    QTest::newRow("no match") << "z" << "abc" << "y" << "abc";
}

void TestRegex::replaceAll()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(Regex::replaceAll(pattern, text, replacement), result);
}

void TestRegex::timeLimitKeepsEarlierMatches()
{
    // Two good matches, then text on which the pattern backtracks for ages.
    const QString text = QStringLiteral("ok ok ") + QString(40, u'a') + u'b';
    Regex::setTimeLimit(50);
    bool timedOut = false;
    const Matches matches = Regex::allMatches("ok|(a+)+$", text, -1, &timedOut);
    QVERIFY(timedOut);
    QCOMPARE(matches, Matches({{"ok", ""}, {"ok", ""}}));

    const QString replaced = Regex::replaceAll("ok|(a+)+$", text, "OK", &timedOut);
    QVERIFY(timedOut);
    QCOMPARE(replaced, QStringLiteral("OK OK ") + QString(40, u'a') + u'b');
}

void TestRegex::scanCanResumeElsewhere()
{
    QStringList seen;
    Regex::scan("\\d", "1 2 3 4", -1, [&](const Regex::Match& match) {
        seen.append(match.captures[0]);
        return match.starts[0] == 0 ? qsizetype(4) : Regex::kGoOn; // skip "2"
    });
    QCOMPARE(seen, QStringList({"1", "3", "4"}));
}

QTEST_GUILESS_MAIN(TestRegex)
#include "tst_regex.moc"
