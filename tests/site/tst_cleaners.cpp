// The page cleaners on small saved pages: what the web views get to show.
#include "Fixture.h"
#include "site/HttpRequestRegExDetails.h"
#include "site/HttpRequestRegExForum.h"
#include "site/HttpRequestRegExPm.h"
#include "site/HttpRequestRegExProfileDetails.h"
#include "util/Regex.h"

#include <QTest>

namespace {

const QString kFilmHost = QStringLiteral("www.imdb.com");

} // namespace

class TestCleaners : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detailsKeepsHeadAndTableWithoutAdvertising()
    {
        const QString page = fixture(QStringLiteral("details_film.html"));
        QString imdb;
        const QString cleaned = HttpRequestRegExDetails::cleanPage(page, kFilmHost, &imdb);

        QCOMPARE(imdb, QStringLiteral("http://www.imdb.com/title/tt0133093/"));
        const qsizetype headEnd = page.indexOf(QLatin1String("</head>")) + 7;
        QVERIFY(cleaned.startsWith(page.left(headEnd)));
        // Straight after the head comes the details table; the navigation bar is gone.
        QVERIFY(cleaned.mid(headEnd).startsWith(QLatin1String("<table width=\"100%\" border=\"0\"")));
        QVERIFY(!cleaned.contains(QLatin1String("mainouter")));
        // The table runs to the second table end after the comment form; the footer is gone.
        QVERIFY(cleaned.contains(QLatin1String("value=\"Submit comment\"")));
        QVERIFY(cleaned.endsWith(QLatin1String("</table>\n</td></tr></table>")));
        QVERIFY(!cleaned.contains(QLatin1String("footer")));
        QVERIFY(!cleaned.contains(QLatin1String("<iframe")));
        QVERIFY(!cleaned.contains(QLatin1String("Sponsored links")));
        QVERIFY(cleaned.contains(QLatin1String("IMDb: <a href=\"http://www.imdb.com/title/tt0133093/\"")));
    }

    void detailsLeftWhole_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("deleted torrent") << fixture(QStringLiteral("details_deleted.html"));
        // The deletion message wins even on a page that has the details table.
        QTest::newRow("deleted, with details table")
            << fixture(QStringLiteral("details_film.html"))
                   .replace(QLatin1String("<body>"),
                            QLatin1String("<body><p>The torrent you requested was deleted by its "
                                          "owner or a moderator.</p>"));
        QTest::newRow("no comment form")
            << fixture(QStringLiteral("details_film.html")).remove(QLatin1String("value=\"Submit comment\" "));
        QTest::newRow("connection failure") << QString(QLatin1String(""));
    }

    void detailsLeftWhole()
    {
        QFETCH(QString, page);
        QString imdb = QStringLiteral("stale");
        QCOMPARE(HttpRequestRegExDetails::cleanPage(page, kFilmHost, &imdb), page);
        QVERIFY(imdb.isNull());
    }

    void detailsWithoutFilmLink()
    {
        QString page = fixture(QStringLiteral("details_film.html"));
        page.replace(QLatin1String("www.imdb.com"), QLatin1String("www.example.org"));
        QString imdb = QStringLiteral("stale");
        const QString cleaned = HttpRequestRegExDetails::cleanPage(page, kFilmHost, &imdb);
        QVERIFY(imdb.isNull());
        QVERIFY(cleaned.contains(QLatin1String(">Details for")));
        QVERIFY(!cleaned.contains(QLatin1String("<iframe")));
    }

    // The cleaner finds the cut without the page pattern's backtracking; the cut must be
    // the one the pattern gives.
    void detailsCutAsThePatternCuts_data()
    {
        const QString page = fixture(QStringLiteral("details_film.html"));
        const QString form = QStringLiteral("<input type=\"submit\" value=\"Submit comment\" />");
        QTest::addColumn<QString>("page");
        QTest::newRow("saved page") << page;
        QTest::newRow("second head in a comment")
            << QString(page).replace(QLatin1String("Great quality"), QLatin1String("</head> quality"));
        QTest::newRow("details text in a later table")
            << QString(page).replace(QLatin1String("Tarnvale &copy; 2011"), QLatin1String(">Details for the footer"));
        QTest::newRow("a second comment form after the table ends")
            << QString(page).replace(QLatin1String("</body>"), form + QLatin1String("</body>"));
        QTest::newRow("form followed by one table end only")
            << QString(page).replace(QLatin1String("</td></tr></table>\n<table class=\"footer\">"),
                                     QLatin1String("</td></tr>\n<div class=\"footer\">"))
                   .replace(QLatin1String("</td></tr></table>\n</body>"), QLatin1String("</body>"));
        QTest::newRow("table opened right before the heading")
            << QString(page).replace(QLatin1String("<tr><td class=\"colhead\" colspan=\"2\"><h1>Details for"),
                                     QLatin1String("<table>Details for"));
    }

    void detailsCutAsThePatternCuts()
    {
        QFETCH(QString, page);
        const auto parts = Regex::firstMatch(HttpRequestRegExDetails::kPagePattern, page);
        QString expected = page;
        if (parts) {
            expected = Regex::replaceAll(QStringLiteral("<iframe[\\s\\S]*?</iframe>"), parts->at(1) + parts->at(2), QString());
            expected = Regex::replaceAll(QStringLiteral("<span.*?>Sponsored links</span>"), expected, QString());
        }
        QCOMPARE(HttpRequestRegExDetails::cleanPage(page, kFilmHost), expected);
    }

    void profileCut()
    {
        const QString page = fixture(QStringLiteral("profile.html"));
        const QString cleaned = HttpRequestRegExProfileDetails::cleanPage(page);
        QVERIFY(cleaned.startsWith(QLatin1String("<html>\n<head>\n<title>Profile of trinity")));
        QVERIFY(cleaned.contains(QLatin1String("</head><table width=\"100%\" border=\"0\" class=\"ctable_content\">")));
        QVERIFY(cleaned.contains(QLatin1String("Send message")));
        QVERIFY(cleaned.endsWith(QLatin1String("</td>\n</tr>\n</table>")));
        QVERIFY(!cleaned.contains(QLatin1String("footer")));
    }

    void profileErrorPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("no content table")
            << fixture(QStringLiteral("profile.html")).remove(QLatin1String(" class=\"ctable_content\""));
        QTest::newRow("connection failure") << QString(QLatin1String(""));
    }

    void profileErrorPage()
    {
        QFETCH(QString, page);
        QCOMPARE(HttpRequestRegExProfileDetails::cleanPage(page),
                 QStringLiteral("<html>Error loading page.  Try again.</html>"));
    }

    void pmCutAfterEitherMarker_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("End AD Box") << QStringLiteral("pm_endadbox.html");
        QTest::newRow("Adbox") << QStringLiteral("pm_adbox.html");
    }

    void pmCutAfterEitherMarker()
    {
        QFETCH(QString, file);
        const QString cleaned = HttpRequestRegExPm::cleanPage(fixture(file));
        QCOMPARE(cleaned,
                 QStringLiteral("<head>\n<title>Send message - Tarnvale</title>\n"
                                "<link rel=\"stylesheet\" type=\"text/css\" href=\"/styles/main.css\" />\n"
                                "</head>\n"
                                "<form method=\"post\" action=\"/takemessage.php\"><input type=\"hidden\" "
                                "name=\"receiver\" value=\"4711\" />\n"
                                "<textarea name=\"msg\" cols=\"60\" rows=\"10\"></textarea><input "
                                "type=\"submit\" value=\"Send\" /></form>\n</td></tr>"));
    }

    void pmWithoutMarkerShownAsFetched()
    {
        const QString page = fixture(QStringLiteral("pm_adbox.html")).remove(QLatin1String("<!--Adbox-->"));
        QCOMPARE(HttpRequestRegExPm::cleanPage(page), page);
    }

    void forumAsksAsPhone()
    {
        HttpRequestRegExForum forum(QUrl(QStringLiteral("http://forum.tarnvale.localhost/")));
        QVERIFY(!forum.overwriteUserAgent());
    }
};

QTEST_GUILESS_MAIN(TestCleaners)
#include "tst_cleaners.moc"
