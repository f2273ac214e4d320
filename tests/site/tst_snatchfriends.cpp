// The snatch list and friends parsers on small saved replies.
#include "Fixture.h"
#include "site/HttpRequestRegExFriends.h"
#include "site/HttpRequestRegExSnatchTorrent.h"
#include "util/Regex.h"

#include <QTest>

namespace {

const QString kWebRoot = QStringLiteral("http://www.tarnvale.localhost/");

} // namespace

class TestSnatchFriends : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void snatchRows()
    {
        const QList<Torrent> rows =
            HttpRequestRegExSnatchTorrent::parseTorrents(fixture(QStringLiteral("snatchlist.txt")));
        QCOMPARE(rows.size(), 2);
        const Torrent& matrix = rows[0];
        QCOMPARE(matrix.detailsUrl(), QStringLiteral("/torrent/1187342/The.Matrix.1999.720p.BluRay.x264"));
        QCOMPARE(matrix.name(), QStringLiteral("The.Matrix.1999.720p.BluRay.x264"));
        QCOMPARE(matrix.size(), QStringLiteral("4.37 GB"));
        QCOMPARE(matrix.down(), QStringLiteral("4.37 GB"));
        QCOMPARE(matrix.up(), QStringLiteral("12.80 GB"));
        QCOMPARE(matrix.ratio(), QStringLiteral("2.93"));
        QCOMPARE(matrix.active(), QStringLiteral("Yes"));
        QVERIFY(matrix.downloadUrl().isNull());
        QVERIFY(matrix.type().isNull());
        QVERIFY(!matrix.isDownloaded());
        // Only "&amp;" is decoded.
        QCOMPARE(rows[1].name(), QStringLiteral("Simon & Garfunkel - Bookends &quot;Remaster&quot;"));
        QCOMPARE(rows[1].up(), QStringLiteral("0 bytes"));
        QCOMPARE(rows[1].active(), QStringLiteral("No"));
    }

    void snatchNothing()
    {
        QVERIFY(HttpRequestRegExSnatchTorrent::parseTorrents(
                    QStringLiteral("{\"sEcho\":1,\"iTotalRecords\":0,\"aaData\":[]}")).isEmpty());
    }

    void friendsEntries()
    {
        const QList<Friend> friends =
            HttpRequestRegExFriends::parseFriends(fixture(QStringLiteral("friends.html")), kWebRoot);
        QCOMPARE(friends.size(), 2);
        // A site-relative avatar gets the web root in front, double slash and all.
        QCOMPARE(friends[0].avatarUrl(), QStringLiteral("http://www.tarnvale.localhost//pic/avatars/4711.jpg"));
        QCOMPARE(friends[0].ids(), QStringLiteral("4711"));
        QCOMPARE(friends[0].name(), QStringLiteral("trinity"));
        QCOMPARE(friends[0].type(), QStringLiteral("Power User"));
        QCOMPARE(friends[0].date(), QStringLiteral("last seen 2011-02-03 21:14:09 (2 hours ago)"));
        QCOMPARE(friends[1].avatarUrl(), QStringLiteral("http://img.example.org/av/morpheus.png"));
        QCOMPARE(friends[1].ids(), QStringLiteral("815"));
        QCOMPARE(friends[1].type(), QStringLiteral("Uploader"));
    }

    void friendsNone()
    {
        QVERIFY(HttpRequestRegExFriends::parseFriends(fixture(QStringLiteral("friends_none.html")), kWebRoot)
                    .isEmpty());
    }

    // The search is bounded to spare pages with many pictures; the entries found must be
    // exactly those of the unbounded pattern, wherever the pictures stand.
    void friendsBoundsKeepEveryEntry_data()
    {
        const QString page = fixture(QStringLiteral("friends.html"));
        const QString picture = QStringLiteral("<p><img class=\"ad\" alt=\"\" src=\"/pic/banner%1.png\"><br>\n");
        QString pictures;
        for (int i = 0; i < 40; ++i)
            pictures += picture.arg(i);
        QTest::addColumn<QString>("page");
        QTest::newRow("plain") << page;
        QTest::newRow("pictures after")
            << QString(page).replace(QLatin1String("</body>"), pictures + QLatin1String("</body>"));
        QTest::newRow("pictures between")
            << QString(page).replace(QLatin1String("<div style=\"margin-bottom: 8px\">"),
                                     pictures + QLatin1String("<div style=\"margin-bottom: 8px\">"));
        QTest::newRow("profile link in the last line")
            << page + QStringLiteral("<img alt=\"\" src=\"/x.png\">\n<a href=/users/?id=9><b>zed</b></a> "
                                     "(User)<br><br>new<br>");
    }

    void friendsBoundsKeepEveryEntry()
    {
        QFETCH(QString, page);
        const QList<Friend> friends = HttpRequestRegExFriends::parseFriends(page, kWebRoot);
        const QList<QStringList> unbounded = Regex::allMatches(HttpRequestRegExFriends::kEntryPattern, page);
        QVERIFY(!unbounded.isEmpty());
        QCOMPARE(friends.size(), unbounded.size());
        for (int i = 0; i < friends.size(); ++i) {
            QCOMPARE(friends[i].ids(), unbounded[i][2]);
            QCOMPARE(friends[i].date(), unbounded[i][5]);
        }
    }
};

QTEST_GUILESS_MAIN(TestSnatchFriends)
#include "tst_snatchfriends.moc"
