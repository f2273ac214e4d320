// Favourite filters: which names a filter text accepts (case, alternatives, the empty filter,
// texts that are not patterns, a pattern that runs out of time), and what the entry form is
// told about a text that is not a pattern.
#include "settings/Filter.h"

#include <QTest>

class TestFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accepts_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");

        const QString ubuntu = QStringLiteral("Ubuntu Linux 23.10 Desktop amd64");
        QTest::newRow("a word inside the name") << "Linux" << ubuntu << true;
        QTest::newRow("case counts") << "ubuntu" << ubuntu << false;
        QTest::newRow("the word without its capital") << "buntu" << ubuntu << true;
        QTest::newRow("either word: the first") << "Linux|BSD" << ubuntu << true;
        QTest::newRow("either word: the second") << "Linux|BSD" << "FreeBSD 14.0-RELEASE amd64 disc1" << true;
        QTest::newRow("either word: neither") << "Linux|BSD" << "Office Suite Deluxe v3.1.4 x64" << false;
        QTest::newRow("a pattern") << "S0[12]E\\d\\d" << "Northern Frontier S02E07 HDTV XviD-FGT" << true;
        // An empty filter would list every torrent under a row that shows nothing.
        QTest::newRow("empty filter, any name") << "" << ubuntu << false;
        QTest::newRow("empty filter, empty name") << "" << "" << false;
        QTest::newRow("dot stops at a line end") << "Linux.23" << "Ubuntu Linux\n23.10" << false;
        QTest::newRow("not a pattern: unbalanced parenthesis") << "Linux|(BSD" << "FreeBSD (BSD" << false;
        QTest::newRow("not a pattern: missing bracket") << "[Linux" << "[Linux" << false;
        // A pattern only once it stands in the group, and then no longer one group.
        QTest::newRow("not a pattern on its own") << "a)|(b" << "b" << false;
        QTest::newRow("runs out of time on a long name")
            << "(a+)+b" << QStringLiteral("Ubuntu ") + QString(40, u'a') + QStringLiteral(" Linux") << false;
        QTest::newRow("the same pattern on a short name") << "(a+)+b" << "aab" << true;
    }

    void accepts()
    {
        QFETCH(QString, filter);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(Filter(filter).isAccepted(name), accepted);
    }

    // A filter that ran out of time on one name still answers for the next.
    void timeOutIsPerName()
    {
        const Filter filter(QStringLiteral("(a+)+b|Linux"));
        QVERIFY(!filter.isAccepted(QString(40, u'a')));
        QVERIFY(filter.isAccepted(QStringLiteral("Debian GNU/Linux 12.4 amd64 DVD")));
    }

    void patternError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // null: a valid filter

        QTest::newRow("alternatives") << "Linux|BSD" << QString();
        QTest::newRow("empty") << "" << QString();
        QTest::newRow("unbalanced parenthesis")
            << "Linux|(BSD" << "Not a valid pattern: unbalanced parenthesis, at character 10.";
        QTest::newRow("closing parenthesis alone")
            << "a)|(b" << "Not a valid pattern: unbalanced parenthesis, at character 2.";
        QTest::newRow("missing bracket") << "[Linux" << "Not a valid pattern: missing closing bracket ], at character 6.";
        QTest::newRow("range backwards")
            << "[z-a]" << "Not a valid pattern: a character range [x-y] with x after y, at character 4.";
        QTest::newRow("nothing to repeat") << "*BSD" << "Not a valid pattern: syntax error, at character 1.";
        QTest::newRow("trailing backslash") << "Linux\\" << "Not a valid pattern: unrecognised backslash escape, at character 6.";
        // Valid alone; in the group the quote swallows the closing parenthesis.
        QTest::newRow("quote to the end") << "BSD\\Q" << "Not a valid pattern: unbalanced parenthesis, at character 5.";
    }

    void patternError()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QCOMPARE(Filter::patternError(text), error);
        QCOMPARE(Filter(text).isValid(), error.isNull());
    }
};

QTEST_MAIN(TestFilter)
#include "tst_filter.moc"
