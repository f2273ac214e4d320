// The snatch list and friends parsers on small saved replies, and the addresses made from
// what they and the cookies hand us.
#include "Fixture.h"
#include "LoopbackServer.h"
#include "site/HttpRequest.h"
#include "site/HttpRequestRegExFriends.h"
#include "site/HttpRequestRegExSnatchTorrent.h"
#include "site/SiteAddress.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"

#include <QScopeGuard>
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
    // A member's name reaches the site as one path segment of "/users/", whatever it holds; a
    // name with no segment of its own has no address.
    void profileAddressKeepsTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("target"); // empty: no address
        QTest::newRow("plain") << QStringLiteral("trinity") << QByteArray("/users/trinity");
        QTest::newRow("parent path") << QStringLiteral("../logout") << QByteArray("/users/..%2Flogout");
        QTest::newRow("query, fragment") << QStringLiteral("a/b?c#d") << QByteArray("/users/a%2Fb%3Fc%23d");
        QTest::newRow("space, non-ASCII") << QStringLiteral("é ü") << QByteArray("/users/%C3%A9%20%C3%BC");
        QTest::newRow("dots inside") << QStringLiteral("a..b.") << QByteArray("/users/a..b.");
        QTest::newRow("dot-dot") << QStringLiteral("..") << QByteArray();
        QTest::newRow("dot") << QStringLiteral(".") << QByteArray();
        QTest::newRow("empty") << QStringLiteral("") << QByteArray();
    }

    void profileAddressKeepsTheName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, target);
        LoopbackServer site;
        QVERIFY2(site.isListening(), qPrintable(site.error()));
        const QString webHost = SiteHosts::webHost();
        SiteHosts::setWebHost(site.hostAndPort());
        auto restore = qScopeGuard([&] { SiteHosts::setWebHost(webHost); });
        const std::optional<QUrl> url = SiteAddress::profileUrl(name);
        QCOMPARE(url.has_value(), !target.isEmpty());
        if (!url)
            return;
        HttpRequest request(*url);
        request.request();
        QCOMPARE(site.requests().constFirst().target, target);
    }

    // Ids from the "uid" cookie and the friends page go into the removal address only as
    // numbers.
    void removalAddressTakesOnlyNumbers_data()
    {
        QTest::addColumn<QString>("userId");
        QTest::addColumn<QString>("friendId");
        QTest::addColumn<bool>("made");
        QTest::newRow("numbers") << QStringLiteral("1001") << QStringLiteral("4711") << true;
        QTest::newRow("trailing space") << QStringLiteral("12 ") << QStringLiteral("4711") << false;
        QTest::newRow("other text") << QStringLiteral("1;x") << QStringLiteral("4711") << false;
        QTest::newRow("another field") << QStringLiteral("1&id=2") << QStringLiteral("4711") << false;
        QTest::newRow("no user id") << QStringLiteral("") << QStringLiteral("4711") << false;
        QTest::newRow("absent user id") << QString() << QStringLiteral("4711") << false;
        QTest::newRow("no friend id") << QStringLiteral("1001") << QStringLiteral("") << false;
        QTest::newRow("other digits") << QStringLiteral("١٢") << QStringLiteral("4711") << false;
    }

    void removalAddressTakesOnlyNumbers()
    {
        QFETCH(QString, userId);
        QFETCH(QString, friendId);
        QFETCH(bool, made);
        const std::optional<QUrl> url = SiteAddress::friendRemovalUrl(userId, friendId);
        QCOMPARE(url.has_value(), made);
        if (made) {
            QCOMPARE(url->toString(), SiteHosts::webUrl(QStringLiteral("/friends.php?id=1001&action=delete&type=friend"
                                                                       "&targetid=4711&sure=1"))
                                          .toString());
        }
    }
};

QTEST_GUILESS_MAIN(TestSnatchFriends)
#include "tst_snatchfriends.moc"
