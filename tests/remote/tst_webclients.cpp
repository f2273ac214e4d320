// The hand-off to qBittorrent and Deluge, each a real daemon of its own on loopback, checked
// through the client's own interface: a torrent added and read back, the same torrent again
// counted as in the client, a web page refused before any upload, a wrong password as the
// failure alert, and itarnvale-send reaching both by name.
#include "DemoTorrentFile.h"
#include "LoopbackServer.h"
#include "RecordingAlertPresenter.h"
#include "WebClientDaemons.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "remote/BitClient.h"
#include "remote/FetchPageDownload.h"
#include "remote/RemoteTexts.h"
#include "remote/ServerInfo.h"
#include "settings/DownloadHistory.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int kWait = 60000;
const QByteArray kLoginPage("<html><head><title>User log in</title></head><body>Sign in</body></html>");
} // namespace

class TestWebClients : public QObject
{
    Q_OBJECT

public:
    void downloadedFinished(const QString& name) { m_results.append(name); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void handOffIsHeldByTheClient_data() { m_daemons.addRows(); }
    void handOffIsHeldByTheClient();
    void webPageIsRefusedBeforeAnyUpload_data() { m_daemons.addRows(); }
    void webPageIsRefusedBeforeAnyUpload();
    void wrongPasswordIsTheFailureAlert_data() { m_daemons.addRows(); }
    void wrongPasswordIsTheFailureAlert();
    void sendToolReachesTheClient_data();
    void sendToolReachesTheClient();

private:
    // The daemon of the row, with the remote settings pointing at it; null when the client
    // is not installed.
    LoopbackDaemon* daemon();
    // Runs one download of the site's path and returns what it delivered.
    QString download(const QString& path, const QString& name);
    // Info hash to name of what the client holds; an empty map when it did not answer.
    static QMap<QString, QString> held(LoopbackDaemon* daemon) { return daemon->torrents().value_or(QMap<QString, QString>()); }

    QTemporaryDir m_folder;
    int m_files = 0;
    WebClientDaemons m_daemons{QStringLiteral("qb p@ss:w/rd"), QStringLiteral("d3luge&pw")};
    LoopbackServer m_site;
    QMap<QString, QByteArray> m_served;
    RecordingAlertPresenter m_alerts;
    QStringList m_results;
};

void TestWebClients::initTestCase()
{
    QVERIFY2(m_site.isListening(), qPrintable(m_site.error()));
    m_site.setHandler([this](const httplib::Request& request, httplib::Response& response) {
        const QByteArray body = m_served.value(QString::fromStdString(request.path), kLoginPage);
        response.set_content(body.toStdString(), body.startsWith('d') ? "application/x-bittorrent" : "text/html");
    });
    QVERIFY2(m_daemons.start(), qPrintable(m_daemons.errorText()));
}

void TestWebClients::init()
{
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
    m_alerts.clear();
    m_results.clear();
}

LoopbackDaemon* TestWebClients::daemon()
{
    LoopbackDaemon* daemon = m_daemons.current();
    if (daemon)
        WebClientDaemons::storeSettings(daemon, daemon->password());
    return daemon;
}

QString TestWebClients::download(const QString& path, const QString& name)
{
    OperationQueue queue;
    queue.addOperation(
        std::make_unique<FetchPageDownload>(m_site.url(path), name, this, &TestWebClients::downloadedFinished));
    if (!QTest::qWaitFor([this] { return !m_results.isEmpty(); }, kWait))
        return QStringLiteral("(nothing delivered)");
    return m_results.takeFirst();
}

void TestWebClients::handOffIsHeldByTheClient()
{
    LoopbackDaemon* client = daemon();
    if (!client)
        QSKIP("the client is not installed");
    // A Web UI that is not connected to its daemon gets connected by the handshake.
    if (client == &m_daemons.deluge())
        QVERIFY(m_daemons.deluge().disconnectWeb());
    const QString file = client->clientName() + QStringLiteral(".The.Quiet.Harbour.1961.avi");
    const QByteArray torrent = DemoTorrentFile::make(file, m_site.url(QStringLiteral("/announce")).toString());
    m_served.insert(QStringLiteral("/files/download/4411"), torrent);
    const int before = held(client).size();

    QCOMPARE(download(QStringLiteral("/files/download/4411"), QStringLiteral("The Quiet Harbour (1961)")),
             QStringLiteral("The Quiet Harbour (1961)"));
    QCOMPARE(m_alerts.alerts(), QList<RecordingAlertPresenter::Alert>());
    QCOMPARE(DownloadHistory::names(), QStringList{QStringLiteral("The Quiet Harbour (1961)")});
    // The client lists it under the file's own info hash: it got the bytes unchanged.
    const QString hash = DemoTorrentFile::infoHash(torrent);
    QTRY_COMPARE_WITH_TIMEOUT(held(client).value(hash), file, kWait);

    // Sent again: the client turns it down as one it holds, so it is in the client.
    QCOMPARE(download(QStringLiteral("/files/download/4411"), QStringLiteral("The Quiet Harbour (1961)")),
             QStringLiteral("The Quiet Harbour (1961)"));
    QCOMPARE(m_alerts.alerts(), QList<RecordingAlertPresenter::Alert>());
    QCOMPARE(DownloadHistory::names(), QStringList{QStringLiteral("The Quiet Harbour (1961)")});
    QCOMPARE(held(client).size(), before + 1);
}

void TestWebClients::webPageIsRefusedBeforeAnyUpload()
{
    LoopbackDaemon* client = daemon();
    if (!client)
        QSKIP("the client is not installed");
    const QMap<QString, QString> before = held(client);
    QVERIFY(download(QStringLiteral("/files/download/ended-session"), QStringLiteral("Anything")).isNull());
    const QList<RecordingAlertPresenter::Alert> expected{
        {RemoteTexts::websiteProblemTitle, RemoteTexts::notTorrentFile, RemoteTexts::okButton, true}};
    QCOMPARE(m_alerts.alerts(), expected);
    QVERIFY(DownloadHistory::names().isEmpty());

    // Handed to the adapter all the same, the page is refused by the client itself.
    const std::unique_ptr<BitClient> adapter = BitClient::create(client->clientName());
    adapter->setAddress(LoopbackDaemon::address());
    adapter->setPort(QString::number(client->port()));
    adapter->setUsername(client->username());
    adapter->setPassword(client->password());
    adapter->setFilename(QStringLiteral("page.torrent"));
    adapter->setFile(kLoginPage);
    adapter->setSessionId();
    QVERIFY(!adapter->handshakeFailed());
    QVERIFY(!adapter->upload());
    QVERIFY2(adapter->uploadFailureText().startsWith(QLatin1String("The client refused the torrent.")),
             qPrintable(adapter->uploadFailureText()));
    QCOMPARE(held(client), before);
}

void TestWebClients::wrongPasswordIsTheFailureAlert()
{
    LoopbackDaemon* client = daemon();
    if (!client)
        QSKIP("the client is not installed");
    const QString file = client->clientName() + QStringLiteral(".Wrong.Door.avi");
    m_served.insert(QStringLiteral("/files/download/77"),
                          DemoTorrentFile::make(file, m_site.url(QStringLiteral("/announce")).toString()));
    const int before = held(client).size();
    WebClientDaemons::storeSettings(client, QStringLiteral("wrong"));

    QVERIFY(download(QStringLiteral("/files/download/77"), QStringLiteral("Wrong Door")).isNull());
    const QList<RecordingAlertPresenter::Alert> expected{
        {RemoteTexts::connectionFailedTitle, QStringLiteral("The client refused the user name or password."),
         RemoteTexts::okButton, true}};
    QCOMPARE(m_alerts.alerts(), expected);
    QVERIFY(DownloadHistory::names().isEmpty());
    QCOMPARE(held(client).size(), before);
}

void TestWebClients::sendToolReachesTheClient_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rightPassword");
    QTest::addColumn<QString>("line");
    const QString failed =
        RemoteTexts::connectionFailedTitle + QStringLiteral(" The client refused the user name or password.");
    // The tool takes the client's name as people write it, too.
    const QString qbittorrent = m_daemons.qbittorrent().clientName();
    const QString deluge = m_daemons.deluge().clientName();
    QTest::newRow("qbittorrent") << qbittorrent << "qBittorrent" << true << "sent";
    QTest::newRow("qbittorrent, wrong password") << qbittorrent << "Qbittorrent" << false << failed;
    QTest::newRow("deluge") << deluge << "deluge" << true << "sent";
    QTest::newRow("deluge, wrong password") << deluge << "Deluge" << false << failed;
}

void TestWebClients::sendToolReachesTheClient()
{
    QFETCH(QString, name);
    QFETCH(bool, rightPassword);
    QFETCH(QString, line);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/itarnvale-send");
    if (!QFile::exists(program))
        QSKIP("itarnvale-send is not built in this build directory");
    LoopbackDaemon* client = daemon();
    if (!client)
        QSKIP("the client is not installed");
    const QString fileName = client->clientName() + QStringLiteral(".Sent.By.Tool.") + QTest::currentDataTag();
    const QByteArray torrent = DemoTorrentFile::make(fileName, QStringLiteral("http://127.0.0.1:1/announce"));
    QFile file(m_folder.filePath(QStringLiteral("%1.torrent").arg(m_files)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(torrent);
    file.close();

    QProcess send;
    send.start(program, {file.fileName(), QStringLiteral("--client"), name, QStringLiteral("--address"),
                         LoopbackDaemon::address(), QStringLiteral("--port"), QString::number(client->port()),
                         QStringLiteral("--user"), client->username(), QStringLiteral("--password"),
                         rightPassword ? client->password() : QStringLiteral("wrong"), QStringLiteral("--settings"),
                         m_folder.filePath(QStringLiteral("send%1.ini").arg(m_files))});
    QVERIFY(send.waitForFinished(kWait));
    QCOMPARE(QString::fromUtf8(send.readAllStandardOutput()).trimmed(), line);
    QCOMPARE(send.exitCode(), rightPassword ? 0 : 1);
    const QString hash = DemoTorrentFile::infoHash(torrent);
    if (rightPassword)
        QTRY_VERIFY_WITH_TIMEOUT(held(client).contains(hash), kWait);
    else
        QVERIFY(!held(client).contains(hash));
}

QTEST_GUILESS_MAIN(TestWebClients)
#include "tst_webclients.moc"
