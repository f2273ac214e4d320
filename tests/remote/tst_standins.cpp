#include "DemoTorrentFile.h"
#include "UtorrentStandIn.h"
#include "VuzeStandIn.h"
#include "platform/core/CookieStore.h"
#include "remote/Utorrent.h"
#include "remote/Vuze.h"

#include <QTest>

// The uTorrent and Vuze adapters against the stand-ins that answer as those Web UIs do.
class TestStandIns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void utorrentHandsOverWithTokenAndCookie();
    void utorrentWithoutTokenOrCookieFails_data();
    void utorrentWithoutTokenOrCookieFails();
    void utorrentErrorReplyIsAFailure();
    void utorrentReplyThatIsNoWebUiObjectIsAFailure_data();
    void utorrentReplyThatIsNoWebUiObjectIsAFailure();
    void vuzeHandsOverTheSecondPart();
    void vuzeErrorPageIsAFailure();
    void wrongPasswordFails();

private:
    static void fill(BitClient& adapter, const StandInServer& server, const QByteArray& file,
                     const QString& password = QStringLiteral("pw"));

    QByteArray m_torrent;
    std::unique_ptr<UtorrentStandIn> m_utorrent;
    std::unique_ptr<VuzeStandIn> m_vuze;
};

void TestStandIns::fill(BitClient& adapter, const StandInServer& server, const QByteArray& file, const QString& password)
{
    adapter.setAddress(StandInServer::address());
    adapter.setPort(QString::number(server.port()));
    adapter.setUsername(QStringLiteral("admin"));
    adapter.setPassword(password);
    adapter.setFilename(QStringLiteral("77.torrent"));
    adapter.setFile(file);
}

void TestStandIns::initTestCase()
{
    m_torrent = DemoTorrentFile::make(QStringLiteral("Night.Train.1959.mkv"), QStringLiteral("http://127.0.0.1:1/announce"));
    m_utorrent = std::make_unique<UtorrentStandIn>(QStringLiteral("admin"), QStringLiteral("pw"));
    m_vuze = std::make_unique<VuzeStandIn>(QStringLiteral("admin"), QStringLiteral("pw"));
    QVERIFY(m_utorrent->start());
    QVERIFY(m_vuze->start());
}

void TestStandIns::init()
{
    m_utorrent->clear();
    m_utorrent->setUploadReply(QByteArray());
    m_vuze->clear();
    CookieStore::shared().deleteAll();
}

void TestStandIns::utorrentHandsOverWithTokenAndCookie()
{
    Utorrent adapter;
    fill(adapter, *m_utorrent, m_torrent);
    adapter.setSessionId();
    const auto tokens = m_utorrent->issuedTokens();
    QCOMPARE(tokens.size(), 1);
    QCOMPARE(adapter.sessionId(), QString::fromLatin1(tokens.firstKey()));
    QVERIFY(adapter.upload());
    QCOMPARE(m_utorrent->torrentNames(), QStringList{QStringLiteral("Night.Train.1959.mkv")});

    const QList<StandInExchange> exchanges = m_utorrent->exchanges();
    QCOMPARE(exchanges.size(), 2);
    QCOMPARE(exchanges[0].target, QByteArray("/gui/token.html"));
    QCOMPARE(exchanges[0].header("X-Requested-With"), QByteArray("XMLHttpRequest"));
    QCOMPARE(exchanges[0].header("X-Request"), QByteArray("JSON"));
    const StandInExchange& upload = exchanges[1];
    QCOMPARE(upload.target, "/gui/?token=" + tokens.firstKey() + "&action=add-file");
    QVERIFY(upload.header("Cookie").contains("GUID=" + tokens.first()));
    QCOMPARE(upload.header("Content-Type"), "multipart/form-data; boundary=" + QByteArray(kMultipartBoundary));
    QCOMPARE(upload.header("Authorization"), "Basic " + QByteArray("admin:pw").toBase64());
    QCOMPARE(upload.parts.size(), 1);
    QCOMPARE(upload.parts[0].name, QByteArray("torrent_file"));
    QCOMPARE(upload.parts[0].fileName, QByteArray("77.torrent"));
    QCOMPARE(upload.parts[0].content, m_torrent);
    QCOMPARE(upload.reply, "{\"build\":" + QByteArray::number(UtorrentStandIn::kBuild) + "}");
}

void TestStandIns::utorrentWithoutTokenOrCookieFails_data()
{
    QTest::addColumn<bool>("handshake");
    QTest::addColumn<bool>("keepCookie");
    QTest::newRow("no token") << false << true;
    QTest::newRow("token without its cookie") << true << false;
}

void TestStandIns::utorrentWithoutTokenOrCookieFails()
{
    QFETCH(bool, handshake);
    QFETCH(bool, keepCookie);
    Utorrent adapter;
    fill(adapter, *m_utorrent, m_torrent);
    if (handshake)
        adapter.setSessionId();
    if (!keepCookie)
        CookieStore::shared().deleteAll();
    QVERIFY(!adapter.upload());
    QCOMPARE(m_utorrent->exchanges().last().status, 400);
    QVERIFY(m_utorrent->torrentNames().isEmpty());
}

void TestStandIns::utorrentErrorReplyIsAFailure()
{
    Utorrent adapter;
    fill(adapter, *m_utorrent, QByteArray("<html>not a torrent</html>"));
    adapter.setSessionId();
    QVERIFY(!adapter.upload());
    const StandInExchange upload = m_utorrent->exchanges().last();
    QCOMPARE(upload.status, 200);
    QCOMPARE(upload.reply, QByteArray("{\"error\":\"Can't add torrent: torrent is not valid bencoding\"}"));
}

void TestStandIns::utorrentReplyThatIsNoWebUiObjectIsAFailure_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("html page") << QByteArray("<html><body>Welcome to nginx!</body></html>") << false;
    QTest::newRow("empty body") << QByteArray("") << false;
    QTest::newRow("json array") << QByteArray("[1,2]") << false;
    QTest::newRow("json text") << QByteArray("\"ok\"") << false;
    QTest::newRow("error object") << QByteArray("{\"error\":\"busy\"}") << false;
    QTest::newRow("build object") << QByteArray("{\"build\":25406}") << true;
}

void TestStandIns::utorrentReplyThatIsNoWebUiObjectIsAFailure()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    m_utorrent->setUploadReply(reply);
    Utorrent adapter;
    fill(adapter, *m_utorrent, m_torrent);
    adapter.setSessionId();
    QCOMPARE(adapter.upload(), accepted);
    QCOMPARE(m_utorrent->exchanges().last().status, 200);
}

void TestStandIns::vuzeHandsOverTheSecondPart()
{
    Vuze adapter;
    fill(adapter, *m_vuze, m_torrent);
    adapter.setSessionId(); // no handshake: nothing is sent
    QVERIFY(m_vuze->exchanges().isEmpty());
    QVERIFY(adapter.upload());
    QCOMPARE(m_vuze->torrentNames(), QStringList{QStringLiteral("Night.Train.1959.mkv")});
    const StandInExchange upload = m_vuze->exchanges().last();
    QCOMPARE(upload.target, QByteArray("/index.tmpl?d=u&local=1"));
    QVERIFY(upload.reply.contains("Night.Train.1959.mkv loaded successfully!<br>Torrent saved in "));
    QCOMPARE(upload.parts.size(), 2);
    QCOMPARE(upload.parts[0].name, QByteArray("upfile_0"));
    QCOMPARE(upload.parts[0].content, m_torrent);
    QCOMPARE(upload.parts[1].name, QByteArray("upfile_1"));
    QCOMPARE(upload.parts[1].fileName, QByteArray());
    QCOMPARE(upload.parts[1].content, QByteArray());
}

void TestStandIns::vuzeErrorPageIsAFailure()
{
    Vuze adapter;
    fill(adapter, *m_vuze, QByteArray("<html>not a torrent</html>"));
    QVERIFY(!adapter.upload());
    const StandInExchange upload = m_vuze->exchanges().last();
    QCOMPARE(upload.status, 200);
    QVERIFY(upload.reply.contains("Error loading torrent 77.torrent"));
}

void TestStandIns::wrongPasswordFails()
{
    Vuze vuze;
    fill(vuze, *m_vuze, m_torrent, QStringLiteral("wrong"));
    QVERIFY(!vuze.upload());
    QCOMPARE(m_vuze->exchanges().last().status, 401);

    Utorrent utorrent;
    fill(utorrent, *m_utorrent, m_torrent, QStringLiteral("wrong"));
    utorrent.setSessionId();
    QVERIFY(!utorrent.upload());
    QCOMPARE(m_utorrent->exchanges().last().status, 401);
    QVERIFY(m_vuze->torrentNames().isEmpty());
    QVERIFY(m_utorrent->torrentNames().isEmpty());
}

QTEST_GUILESS_MAIN(TestStandIns)
#include "tst_standins.moc"
