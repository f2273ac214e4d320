// The clients' own torrent lists read into one kind of record: each client's states, units and
// "no estimate", hashes that must never be sent back, and the order of the list.
#include "remote/RemoteTorrent.h"
#include "remote/RemoteTorrentReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {
const QString kHash = QStringLiteral("0123456789abcdef0123456789abcdef01234567");

QJsonObject object(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}
} // namespace

class TestRemoteTorrents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hashes_data();
    void hashes();
    void transmissionStates_data();
    void transmissionStates();
    void qbittorrentStates_data();
    void qbittorrentStates();
    void delugeStates_data();
    void delugeStates();
    void recordsOfEachClient();
    void unusableHashesAreLeftOut();
    void newestFirst();
};

void TestRemoteTorrents::hashes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hash");
    QTest::newRow("lower") << kHash << kHash;
    QTest::newRow("upper") << kHash.toUpper() << kHash;
    QTest::newRow("qBittorrent's all") << "all" << QString();
    QTest::newRow("one short") << kHash.left(39) << QString();
    QTest::newRow("one more") << kHash + QLatin1Char('0') << QString();
    QTest::newRow("not hex") << QString(kHash).replace(0, 1, QLatin1Char('g')) << QString();
    QTest::newRow("a second parameter") << kHash.left(30) + QStringLiteral("&hashes=a") << QString();
    QTest::newRow("empty") << "" << QString();
}

void TestRemoteTorrents::hashes()
{
    QFETCH(QString, text);
    QFETCH(QString, hash);
    QCOMPARE(RemoteTorrent::normalHash(text).value_or(QString()), hash);
}

void TestRemoteTorrents::transmissionStates_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("stalled");
    QTest::addColumn<QString>("state");
    QTest::newRow("stopped") << 0 << 0 << false << "paused";
    QTest::newRow("check waiting") << 1 << 0 << false << "checking";
    QTest::newRow("checking") << 2 << 0 << false << "checking";
    QTest::newRow("download waiting") << 3 << 0 << false << "queued";
    QTest::newRow("downloading") << 4 << 0 << false << "downloading";
    QTest::newRow("downloading, stalled") << 4 << 0 << true << "stalled";
    QTest::newRow("seed waiting") << 5 << 0 << false << "queued";
    QTest::newRow("seeding") << 6 << 0 << false << "seeding";
    QTest::newRow("error wins") << 4 << 3 << false << "error";
}

void TestRemoteTorrents::transmissionStates()
{
    QFETCH(int, status);
    QFETCH(int, error);
    QFETCH(bool, stalled);
    QFETCH(QString, state);
    const QJsonObject torrent{{QStringLiteral("hashString"), kHash},
                              {QStringLiteral("status"), status},
                              {QStringLiteral("error"), error},
                              {QStringLiteral("isStalled"), stalled}};
    const QList<RemoteTorrent> list = RemoteTorrentReader::fromTransmission(QJsonArray{torrent});
    QCOMPARE(list.size(), 1);
    QCOMPARE(RemoteTorrent::stateName(list.first().state), state);
}

void TestRemoteTorrents::qbittorrentStates_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("state");
    const QList<QPair<const char*, const char*>> states{
        {"downloading", "downloading"}, {"metaDL", "downloading"},  {"forcedDL", "downloading"},
        {"uploading", "seeding"},       {"stalledUP", "seeding"},   {"forcedUP", "seeding"},
        {"pausedDL", "paused"},         {"pausedUP", "paused"},     {"stoppedDL", "paused"},
        {"queuedDL", "queued"},         {"queuedUP", "queued"},     {"checkingDL", "checking"},
        {"checkingUP", "checking"},     {"checkingResumeData", "checking"},
        {"stalledDL", "stalled"},       {"error", "error"},         {"missingFiles", "error"},
        {"somethingNew", "stalled"}};
    for (const auto& [client, state] : states)
        QTest::newRow(client) << client << state;
}

void TestRemoteTorrents::qbittorrentStates()
{
    QFETCH(QString, client);
    QFETCH(QString, state);
    const QJsonObject torrent{{QStringLiteral("hash"), kHash}, {QStringLiteral("state"), client}};
    const QList<RemoteTorrent> list = RemoteTorrentReader::fromQbittorrent(QJsonArray{torrent});
    QCOMPARE(list.size(), 1);
    QCOMPARE(RemoteTorrent::stateName(list.first().state), state);
}

void TestRemoteTorrents::delugeStates_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("state");
    QTest::newRow("Downloading") << "Downloading" << "downloading";
    QTest::newRow("Seeding") << "Seeding" << "seeding";
    QTest::newRow("Paused") << "Paused" << "paused";
    QTest::newRow("Checking") << "Checking" << "checking";
    QTest::newRow("Allocating") << "Allocating" << "checking";
    QTest::newRow("Queued") << "Queued" << "queued";
    QTest::newRow("Error") << "Error" << "error";
}

void TestRemoteTorrents::delugeStates()
{
    QFETCH(QString, client);
    QFETCH(QString, state);
    const QJsonObject torrents{{kHash, QJsonObject{{QStringLiteral("state"), client}}}};
    const QList<RemoteTorrent> list = RemoteTorrentReader::fromDeluge(torrents);
    QCOMPARE(list.size(), 1);
    QCOMPARE(RemoteTorrent::stateName(list.first().state), state);
}

void TestRemoteTorrents::recordsOfEachClient()
{
    // The same half-done torrent as each client reports it, in its own units and fields.
    const QList<RemoteTorrent> transmission = RemoteTorrentReader::fromTransmission(
        QJsonArray{object("{\"hashString\":\"0123456789ABCDEF0123456789ABCDEF01234567\",\"name\":\"Low Tide\","
                          "\"percentDone\":0.5,\"status\":4,\"rateDownload\":2048,\"rateUpload\":512,"
                          "\"sizeWhenDone\":3000000000,\"eta\":-1,\"addedDate\":1700000000}")});
    const QList<RemoteTorrent> qbittorrent = RemoteTorrentReader::fromQbittorrent(
        QJsonArray{object("{\"hash\":\"0123456789abcdef0123456789abcdef01234567\",\"name\":\"Low Tide\",\"progress\":0.5,"
                          "\"state\":\"downloading\",\"dlspeed\":2048,\"upspeed\":512,\"size\":3000000000,"
                          "\"eta\":8640000,\"added_on\":1700000000}")});
    const QList<RemoteTorrent> deluge = RemoteTorrentReader::fromDeluge(
        object("{\"0123456789abcdef0123456789abcdef01234567\":{\"name\":\"Low Tide\",\"progress\":50.0,"
               "\"state\":\"Downloading\",\"download_payload_rate\":2048,\"upload_payload_rate\":512,"
               "\"total_wanted\":3000000000,\"eta\":0,\"time_added\":1700000000.75}}"));
    for (const QList<RemoteTorrent>& list : {transmission, qbittorrent, deluge}) {
        QCOMPARE(list.size(), 1);
        const RemoteTorrent& torrent = list.first();
        QCOMPARE(torrent.hash, kHash);
        QCOMPARE(torrent.name, QStringLiteral("Low Tide"));
        QCOMPARE(torrent.progress, 0.5);
        QCOMPARE(torrent.state, RemoteTorrent::State::Downloading);
        QCOMPARE(torrent.down, 2048);
        QCOMPARE(torrent.up, 512);
        QCOMPARE(torrent.size, Q_INT64_C(3000000000));
        QCOMPARE(torrent.eta, -1); // each client's "no estimate"
        QCOMPARE(torrent.added, 1700000000);
    }
    // Deluge's 0 is a real estimate once the torrent is whole; progress stays within 0..1.
    const QList<RemoteTorrent> done = RemoteTorrentReader::fromDeluge(
        object("{\"0123456789abcdef0123456789abcdef01234567\":{\"progress\":100.0000001,\"eta\":0}}"));
    QCOMPARE(done.first().progress, 1.0);
    QCOMPARE(done.first().eta, 0);
}

void TestRemoteTorrents::unusableHashesAreLeftOut()
{
    const QJsonArray torrents{QJsonObject{{QStringLiteral("hash"), QStringLiteral("all")}},
                              QJsonObject{{QStringLiteral("name"), QStringLiteral("no hash")}},
                              QJsonValue(QStringLiteral("not an object")),
                              QJsonObject{{QStringLiteral("hash"), kHash}}};
    const QList<RemoteTorrent> list = RemoteTorrentReader::fromQbittorrent(torrents);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.first().hash, kHash);
    QVERIFY(RemoteTorrentReader::fromDeluge(object("{\"x&hashes=all\":{\"name\":\"n\"}}")).isEmpty());
}

void TestRemoteTorrents::newestFirst()
{
    QList<RemoteTorrent> list(3);
    list[0].name = QStringLiteral("old");
    list[0].added = 100;
    list[1].name = QStringLiteral("new b");
    list[1].added = 300;
    list[2].name = QStringLiteral("new a");
    list[2].added = 300;
    RemoteTorrent::sortByAdded(list);
    QCOMPARE(list.at(0).name, QStringLiteral("new a"));
    QCOMPARE(list.at(1).name, QStringLiteral("new b"));
    QCOMPARE(list.at(2).name, QStringLiteral("old"));
}

QTEST_GUILESS_MAIN(TestRemoteTorrents)
#include "tst_remotetorrents.moc"
