// The forum's page stays on the forum's own host: the host and port of an address are
// compared, never a text found somewhere in it.
#include "screens/community/ForumWebViewController.h"
#include "site/SiteHosts.h"

#include <QTest>

class TestForumHost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void staysOnForum_data();
    void staysOnForum();
};

void TestForumHost::staysOnForum_data()
{
    QTest::addColumn<QString>("forumHost");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("stays");

    const QString plain = QStringLiteral("forum.tarnvale.org");
    QTest::newRow("no address") << plain << QString() << true;
    QTest::newRow("front page") << plain << "http://forum.tarnvale.org/" << true;
    QTest::newRow("a topic") << plain << "http://forum.tarnvale.org/viewtopic.php?t=1#p2" << true;
    QTest::newRow("capitals") << plain << "http://Forum.Tarnvale.ORG/index.php" << true;
    QTest::newRow("default port said") << plain << "http://forum.tarnvale.org:80/" << true;
    QTest::newRow("https") << plain << "https://forum.tarnvale.org/" << true;
    QTest::newRow("in the query") << plain << "http://evil/?x=forum.tarnvale.org" << false;
    QTest::newRow("in the path") << plain << "http://evil.example/forum.tarnvale.org/" << false;
    QTest::newRow("in the fragment") << plain << "http://evil.example/#forum.tarnvale.org" << false;
    QTest::newRow("as user name") << plain << "http://forum.tarnvale.org@evil.example/" << false;
    QTest::newRow("as prefix of a host") << plain << "http://forum.tarnvale.org.evil.example/" << false;
    QTest::newRow("as suffix of a host") << plain << "http://myforum.tarnvale.org/" << false;
    QTest::newRow("other port") << plain << "http://forum.tarnvale.org:8080/" << false;
    QTest::newRow("script") << plain << "javascript:alert('forum.tarnvale.org')" << false;
    QTest::newRow("file") << plain << "file:///forum.tarnvale.org/" << false;

    const QString withPort = QStringLiteral("127.0.0.1:8081");
    QTest::newRow("port: same") << withPort << "http://127.0.0.1:8081/viewforum.php?f=2" << true;
    QTest::newRow("port: none") << withPort << "http://127.0.0.1/" << false;
    QTest::newRow("port: other") << withPort << "http://127.0.0.1:8082/" << false;
    QTest::newRow("port: in the query") << withPort << "http://evil/?127.0.0.1:8081" << false;
}

void TestForumHost::staysOnForum()
{
    QFETCH(QString, forumHost);
    QFETCH(QString, address);
    QFETCH(bool, stays);
    const QString before = SiteHosts::forumHost();
    SiteHosts::setForumHost(forumHost);
    const bool result = ForumWebViewController::staysOnForum(QUrl(address));
    SiteHosts::setForumHost(before);
    QCOMPARE(result, stays);
}

QTEST_GUILESS_MAIN(TestForumHost)
#include "tst_forumhost.moc"
