#include "DemoTorrentFile.h"
#include "LoopbackDaemon.h"
#include "LoopbackServer.h"
#include "RecordingAlertPresenter.h"
#include "TransmissionDaemon.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "remote/FetchPageDownload.h"
#include "remote/ServerInfo.h"
#include "remote/Transmission.h"
#include "settings/DownloadHistory.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// The hand-off against a real transmission-daemon of its own, checked through its RPC.
class TestTransmission : public QObject
{
    Q_OBJECT

public:
    void downloadedFinished(const QString& name) { m_results.append(name); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void handOffIsListedByTheDaemon();
    void staleSessionIdIsProbedOnceMore();
    void failureAlertNamesTheCause_data();
    void failureAlertNamesTheCause();
    void cleanupTestCase();

private:
    // Runs one download of the site's path and returns what it delivered.
    QString download(const QString& path, const QString& name);

    QTemporaryDir m_folder;
    std::unique_ptr<TransmissionDaemon> m_daemon;
    LoopbackServer m_site;
    RecordingAlertPresenter m_alerts;
    QStringList m_results;
    QByteArray m_torrent;
};

void TestTransmission::initTestCase()
{
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
    QVERIFY2(m_site.isListening(), qPrintable(m_site.error()));
    // scripts/setup installs the daemon; a machine without it must not pass silently.
    QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
    m_daemon = std::make_unique<TransmissionDaemon>(QStringLiteral("remote"), QStringLiteral("p@ss:w/rd"));
    QVERIFY2(m_daemon->start(), qPrintable(m_daemon->errorText()));

    m_torrent = DemoTorrentFile::make(QStringLiteral("The.Quiet.Harbour.1961.avi"),
                                      QStringLiteral("http://127.0.0.1:%1/announce").arg(m_site.port()));
    m_site.setHandler([this](const httplib::Request&, httplib::Response& response) {
        response.set_content(m_torrent.toStdString(), "application/x-bittorrent");
    });

    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(QStringLiteral("Transmission"));
    info.setAddress(TransmissionDaemon::address());
    info.setPort(QString::number(m_daemon->rpcPort()));
    info.setUsername(m_daemon->username());
    info.setPassword(m_daemon->password());
}

void TestTransmission::init()
{
    m_alerts.clear();
    m_results.clear();
}

QString TestTransmission::download(const QString& path, const QString& name)
{
    OperationQueue queue;
    queue.addOperation(
        std::make_unique<FetchPageDownload>(m_site.url(path), name, this, &TestTransmission::downloadedFinished));
    if (!QTest::qWaitFor([this] { return !m_results.isEmpty(); }, 30000))
        return QStringLiteral("(nothing delivered)");
    return m_results.takeFirst();
}

void TestTransmission::handOffIsListedByTheDaemon()
{
    QCOMPARE(download(QStringLiteral("/files/download/4411"), QStringLiteral("The Quiet Harbour (1961)")),
             QStringLiteral("The Quiet Harbour (1961)"));
    QVERIFY(m_alerts.alerts().isEmpty());
    QCOMPARE(DownloadHistory::names(), QStringList{QStringLiteral("The Quiet Harbour (1961)")});

    const QJsonObject reply = m_daemon->rpc(
        QStringLiteral("torrent-get"),
        {{QStringLiteral("fields"), QJsonArray{QStringLiteral("name"), QStringLiteral("hashString")}}});
    const QJsonArray torrents = reply[QStringLiteral("arguments")][QStringLiteral("torrents")].toArray();
    QCOMPARE(torrents.size(), 1);
    QCOMPARE(torrents[0][QStringLiteral("name")].toString(), QStringLiteral("The.Quiet.Harbour.1961.avi"));
    // The same info hash: the file reached the daemon byte for byte.
    QCOMPARE(torrents[0][QStringLiteral("hashString")].toString(), DemoTorrentFile::infoHash(m_torrent));

    // The daemon already holds it: still in the client, and the name stands once in the history.
    QCOMPARE(download(QStringLiteral("/files/download/4411"), QStringLiteral("The Quiet Harbour (1961)")),
             QStringLiteral("The Quiet Harbour (1961)"));
    QCOMPARE(DownloadHistory::names(), QStringList{QStringLiteral("The Quiet Harbour (1961)")});
    QCOMPARE(m_daemon->torrentNames().size(), 1);
}

void TestTransmission::staleSessionIdIsProbedOnceMore()
{
    Transmission adapter;
    adapter.setAddress(TransmissionDaemon::address());
    adapter.setPort(QString::number(m_daemon->rpcPort()));
    adapter.setUsername(m_daemon->username());
    adapter.setPassword(m_daemon->password());
    adapter.setFile(DemoTorrentFile::make(QStringLiteral("Second.Reel.avi"), QStringLiteral("http://127.0.0.1:1/a")));
    // No probe: the daemon answers 409 with a fresh id, which the upload then uses.
    QVERIFY(adapter.sessionId().isNull());
    QVERIFY(adapter.upload());
    QVERIFY(!adapter.sessionId().isEmpty());
    QVERIFY(m_daemon->torrentNames().contains(QStringLiteral("Second.Reel.avi")));

    // An HTML page is refused by the RPC call (its upload page would have said "added").
    adapter.setFile(QByteArray("<html><body>User log in</body></html>"));
    adapter.setSessionId();
    QVERIFY(!adapter.upload());
}

void TestTransmission::failureAlertNamesTheCause_data()
{
    QTest::addColumn<QString>("where"); // "daemon", "stopped" (a daemon that ran there), "closed", or a host
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // %1: the port
    QTest::newRow("wrong password") << "daemon" << "wrong" << "The client refused the user name or password.";
    QTest::newRow("stopped daemon") << "stopped" << "p@ss:w/rd" << "Nothing is listening at 127.0.0.1:%1.";
    QTest::newRow("closed port") << "closed" << "p@ss:w/rd" << "Nothing is listening at 127.0.0.1:%1.";
    QTest::newRow("host not found") << "nowhere.invalid" << "p@ss:w/rd" << "nowhere.invalid was not found.";
}

void TestTransmission::failureAlertNamesTheCause()
{
    QFETCH(QString, where);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QString address = TransmissionDaemon::address();
    int port = m_daemon->rpcPort();
    if (where == QLatin1String("stopped")) {
        TransmissionDaemon gone(QStringLiteral("remote"), password);
        QVERIFY2(gone.start(), qPrintable(gone.errorText()));
        port = gone.rpcPort();
        gone.stop();
    } else if (where == QLatin1String("closed")) {
        port = LoopbackDaemon::freePort();
    } else if (where != QLatin1String("daemon")) {
        address = where;
    }
    const QStringList before = DownloadHistory::names();
    const int held = m_daemon->torrentNames().size();
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setAddress(address);
    info.setPort(QString::number(port));
    info.setPassword(password);
    const QString result = download(QStringLiteral("/files/download/4411"), QStringLiteral("Anything"));
    info.setAddress(TransmissionDaemon::address());
    info.setPort(QString::number(m_daemon->rpcPort()));
    info.setPassword(m_daemon->password());

    QVERIFY(result.isNull());
    const QList<RecordingAlertPresenter::Alert> expected{
        {QStringLiteral("Connection with server failed."), message.contains(QLatin1String("%1")) ? message.arg(port) : message,
         QStringLiteral("Ok"), true}};
    QCOMPARE(m_alerts.alerts(), expected);
    QCOMPARE(DownloadHistory::names(), before);
    QCOMPARE(m_daemon->torrentNames().size(), held);
}

void TestTransmission::cleanupTestCase()
{
    m_daemon->stop();
}

QTEST_GUILESS_MAIN(TestTransmission)
#include "tst_transmission.moc"
