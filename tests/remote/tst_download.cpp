#include "DemoTorrentFile.h"
#include "LoopbackServer.h"
#include "RecordingAlertPresenter.h"
#include "VuzeStandIn.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "remote/FetchPageDownload.h"
#include "remote/ServerInfo.h"
#include "settings/DownloadHistory.h"
#include "settings/SettingsKeys.h"
#include "site/SessionKeeper.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

const QByteArray kSignInPage = "<html><head><title>User log in</title></head><body><form></form></body></html>";

// Renews at once: the site starts answering with the torrent again.
class InstantKeeper : public SessionKeeper
{
public:
    std::atomic<int> renewals{0};
    std::function<void()> onRenewal;

protected:
    void startRenewal() override
    {
        ++renewals;
        if (onRenewal)
            onRenewal();
        setSessionValidated(true);
    }
};

} // namespace

// The whole hand-off: fetch from the site, check, hand to the client, record the history.
class TestDownload : public QObject
{
    Q_OBJECT

public:
    void downloadedFinished(const QString& name)
    {
        m_results.append(name);
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void handOffRecordsTheName();
    void urlEndingWithSlashGetsANumberAsFileName();
    void nonTorrentIsNeverUploaded_data();
    void nonTorrentIsNeverUploaded();
    void signInPageRenewsTheSessionOnce_data();
    void signInPageRenewsTheSessionOnce();
    void answerCrossingAFinishedRenewalStartsNoOther();
    void oversizedFileIsNotHandedOver();
    void historyThatCannotBeWrittenIsSaid();
    void noClientChosen();
    void historyKeepsTheLatestFifty();
    void handOffsFinishingTogetherLoseNoName();
    void cleanupTestCase();

private:
    void storeRemoteSettings();
    void queue(OperationQueue& queue, const QString& path, const QString& name);
    bool waitForResults(int count);
    void expectOneAlert(const QString& title, const QString& message);

    QTemporaryDir m_folder;
    LoopbackServer m_site;
    VuzeStandIn m_vuze{QStringLiteral("admin"), QStringLiteral("pw")};
    RecordingAlertPresenter m_alerts;
    InstantKeeper m_keeper;
    QStringList m_results;
    QByteArray m_torrent;
    std::atomic<bool> m_signedIn{true};
    QByteArray m_otherAnswer;
    std::atomic<int> m_status{200};
    // Run by the site before it answers; the answer is chosen by the state before it ran.
    std::function<void()> m_beforeAnswer;
    // When set, the site holds each answer until a second request has arrived, so two
    // downloads go on in step.
    std::atomic<bool> m_pairUp{false};
    std::mutex m_pairLock;
    std::condition_variable m_paired;
    int m_waiting = 0;
    int m_round = 0;
};

void TestDownload::initTestCase()
{
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
    QVERIFY(m_vuze.start());
    m_torrent = DemoTorrentFile::make(QStringLiteral("Harbour.Lights.1961.avi"), QStringLiteral("http://127.0.0.1:1/announce"));
    // The site answers the torrent while signed in, otherwise its sign-in page (or the
    // answer a test chose).
    m_site.setHandler([this](const httplib::Request&, httplib::Response& response) {
        response.status = m_status;
        const bool signedIn = m_signedIn;
        if (m_beforeAnswer)
            m_beforeAnswer();
        if (m_pairUp) {
            std::unique_lock lock(m_pairLock);
            const int round = m_round;
            if (++m_waiting == 2) {
                m_waiting = 0;
                ++m_round;
                m_paired.notify_all();
            } else {
                m_paired.wait_for(lock, std::chrono::seconds(2), [this, round] { return m_round != round; });
            }
        }
        if (!signedIn)
            response.set_content(kSignInPage.toStdString(), "text/html");
        else if (!m_otherAnswer.isEmpty())
            response.set_content(m_otherAnswer.toStdString(), "text/html");
        else
            response.set_content(m_torrent.toStdString(), "application/x-bittorrent");
    });
    SessionKeeper::setInstance(&m_keeper);
    storeRemoteSettings();
}

void TestDownload::storeRemoteSettings()
{
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(QStringLiteral("Vuze"));
    info.setAddress(StandInServer::address());
    info.setPort(QString::number(m_vuze.port()));
    info.setUsername(QStringLiteral("admin"));
    info.setPassword(QStringLiteral("pw"));
}

void TestDownload::init()
{
    m_alerts.clear();
    m_results.clear();
    m_vuze.clear();
    m_site.clearRequests();
    m_signedIn = true;
    m_otherAnswer.clear();
    m_status = 200;
    m_pairUp = false;
    m_beforeAnswer = nullptr;
    m_keeper.renewals = 0;
    m_keeper.onRenewal = nullptr;
    m_keeper.setShowLogin(true);
    m_keeper.setSessionValidated(true);
    SettingsStore::standard().remove(SettingsKeys::torrentHistory);
    SettingsStore::standard().remove(SettingsKeys::torrentHistoryDates);
    ServerInfo::sharedInstance().setClient(QStringLiteral("Vuze"));
}

void TestDownload::cleanupTestCase()
{
    SessionKeeper::setInstance(nullptr);
}

void TestDownload::queue(OperationQueue& queue, const QString& path, const QString& name)
{
    queue.addOperation(std::make_unique<FetchPageDownload>(m_site.url(path), name, this, &TestDownload::downloadedFinished));
}

bool TestDownload::waitForResults(int count)
{
    return QTest::qWaitFor([this, count] { return m_results.size() >= count; }, 30000);
}

void TestDownload::expectOneAlert(const QString& title, const QString& message)
{
    const QList<RecordingAlertPresenter::Alert> expected{{title, message, QStringLiteral("Ok"), true}};
    QCOMPARE(m_alerts.alerts(), expected);
}

void TestDownload::handOffRecordsTheName()
{
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/55/Harbour.torrent"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QCOMPARE(m_results, QStringList{QStringLiteral("Harbour Lights")});
    QVERIFY(m_alerts.alerts().isEmpty());
    QCOMPARE(DownloadHistory::names(), QStringList{QStringLiteral("Harbour Lights")});
    QCOMPARE(m_vuze.exchanges().size(), 1);
    QCOMPARE(m_vuze.exchanges()[0].parts[0].fileName, QByteArray("Harbour.torrent"));
    // The plain read of the file sends no headers of HttpRequest's making.
    QCOMPARE(m_site.requests()[0].header("User-Agent"), QByteArray());
}

void TestDownload::urlEndingWithSlashGetsANumberAsFileName()
{
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/55/"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QCOMPARE(m_results, QStringList{QStringLiteral("Harbour Lights")});
    const QByteArray fileName = m_vuze.exchanges()[0].parts[0].fileName;
    bool isNumber = false;
    const int number = fileName.toInt(&isNumber);
    QVERIFY2(isNumber && number >= 0 && number < 60000, fileName.constData());
    QCOMPARE(QByteArray::number(number), fileName);
}

void TestDownload::nonTorrentIsNeverUploaded_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("message");
    const QString notTorrent = QStringLiteral("The site's answer is not a .torrent file.");
    QTest::newRow("error page") << 200 << QByteArray("<html><body>Torrent not found</body></html>") << notTorrent;
    QTest::newRow("file not found") << 404 << QByteArray("<html><body>Not found</body></html>")
                                    << QStringLiteral("The site answered 404.");
    QTest::newRow("empty answer") << 200 << QByteArray(" ") << notTorrent;
}

void TestDownload::nonTorrentIsNeverUploaded()
{
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);
    m_status = status;
    m_otherAnswer = answer;
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/1"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QVERIFY(m_results[0].isNull());
    expectOneAlert(QStringLiteral("Problem with website."), message);
    QVERIFY(m_vuze.exchanges().isEmpty());
    QVERIFY(DownloadHistory::names().isEmpty());
    QCOMPARE(m_keeper.renewals.load(), 0);
}

void TestDownload::signInPageRenewsTheSessionOnce_data()
{
    QTest::addColumn<bool>("renewalHelps");
    QTest::addColumn<bool>("tabsShown");
    QTest::newRow("renewed, then the file") << true << true;
    QTest::newRow("still the sign-in page") << false << true;
    QTest::newRow("login screen up: no renewal") << true << false;
}

void TestDownload::signInPageRenewsTheSessionOnce()
{
    QFETCH(bool, renewalHelps);
    QFETCH(bool, tabsShown);
    m_signedIn = false;
    m_keeper.setShowLogin(tabsShown);
    m_keeper.onRenewal = [this, renewalHelps] { m_signedIn = renewalHelps; };
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/9"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));

    QCOMPARE(m_keeper.renewals.load(), tabsShown ? 1 : 0);
    QCOMPARE(m_site.requestCount(), tabsShown ? 2 : 1);
    if (tabsShown && renewalHelps) {
        QCOMPARE(m_results, QStringList{QStringLiteral("Harbour Lights")});
        QVERIFY(m_alerts.alerts().isEmpty());
        QCOMPARE(m_vuze.torrentNames().size(), 1);
        return;
    }
    QVERIFY(m_results[0].isNull());
    // A renewal that did not bring the session back is said; without one, the page is no torrent.
    expectOneAlert(QStringLiteral("Problem with website."),
                   tabsShown ? QStringLiteral("The site asked to sign in again, and signing in failed.")
                             : QStringLiteral("The site's answer is not a .torrent file."));
    QVERIFY(m_vuze.exchanges().isEmpty());
    QVERIFY(DownloadHistory::names().isEmpty());
}

void TestDownload::answerCrossingAFinishedRenewalStartsNoOther()
{
    // While the fetch is under way another request renews the session; the sign-in page
    // that then arrives predates that renewal, so the file is fetched again without one more.
    m_signedIn = false;
    m_beforeAnswer = [this] {
        if (m_site.requestCount() != 1)
            return;
        m_keeper.setSessionValidated(false);
        m_keeper.setSessionValidated(true);
        m_signedIn = true; // for the next request; this one was sent before
    };
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/9"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QCOMPARE(m_results, QStringList{QStringLiteral("Harbour Lights")});
    QCOMPARE(m_keeper.renewals.load(), 0);
    QCOMPARE(m_site.requestCount(), 2);
}

void TestDownload::oversizedFileIsNotHandedOver()
{
    // A "torrent" past any real one's size ends like a fetch that failed.
    m_otherAnswer = QByteArray("d4:info") + QByteArray(11 * 1024 * 1024, 'x');
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/9"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QVERIFY(m_results[0].isNull());
    expectOneAlert(QStringLiteral("Problem with website."), QStringLiteral("The site answered more than can be read."));
    QVERIFY(m_vuze.exchanges().isEmpty());
}

void TestDownload::historyThatCannotBeWrittenIsSaid()
{
    // The settings' folder is a file: nothing can be written there.
    QFile blocker(m_folder.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("blocker/settings.ini")));
    storeRemoteSettings(); // kept in memory only
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/9"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
    // Handed over all the same: the list marks it, and the user learns the history is not kept.
    QCOMPARE(m_results, QStringList{QStringLiteral("Harbour Lights")});
    QCOMPARE(m_vuze.torrentNames().size(), 1);
    expectOneAlert(QStringLiteral("History not saved."),
                   QStringLiteral("The torrent was sent to your computer, but the download history could not be "
                                  "saved. Check that there is free space for iTarnvale's settings."));
}

void TestDownload::noClientChosen()
{
    ServerInfo::sharedInstance().setClient(QStringLiteral(""));
    OperationQueue queue;
    this->queue(queue, QStringLiteral("/files/download/9"), QStringLiteral("Harbour Lights"));
    QVERIFY(waitForResults(1));
    QVERIFY(m_results[0].isNull());
    expectOneAlert(QStringLiteral("Connection with server failed."),
                   QStringLiteral("No remote client is set. Choose one in Remote Settings."));
    QVERIFY(m_vuze.exchanges().isEmpty());
    QVERIFY(DownloadHistory::names().isEmpty());
}

void TestDownload::historyKeepsTheLatestFifty()
{
    // Oldest first; the 51st name drops the first. A name sent again stands once, at the
    // newest place, with the date of its last sending.
    QStringList names;
    for (int i = 1; i <= 51; ++i)
        names.append(QStringLiteral("Torrent %1").arg(i));
    OperationQueue queue;
    for (const QString& name : names)
        this->queue(queue, QStringLiteral("/files/download/x.torrent"), name);
    QVERIFY(waitForResults(51));
    QCOMPARE(DownloadHistory::names(), names.mid(1));
    QVERIFY(!DownloadHistory::sentDate(QStringLiteral("Torrent 1")).isValid());

    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    this->queue(queue, QStringLiteral("/files/download/x.torrent"), QStringLiteral("Torrent 10"));
    QVERIFY(waitForResults(52));
    QStringList expected = names.mid(1);
    expected.removeAll(QStringLiteral("Torrent 10"));
    expected.append(QStringLiteral("Torrent 10"));
    QCOMPARE(DownloadHistory::names(), expected);
    QVERIFY(DownloadHistory::sentDate(QStringLiteral("Torrent 10")) >= before);
    QVERIFY(DownloadHistory::sentDate(QStringLiteral("Torrent 2")).isValid());
}

void TestDownload::handOffsFinishingTogetherLoseNoName()
{
    // Two list screens, each with its own queue, hand over at the same time: the site
    // answers both fetches together, so both appends come within moments of each other.
    m_pairUp = true;
    OperationQueue first;
    OperationQueue second;
    QStringList expected;
    for (int i = 0; i < 25; ++i) {
        queue(first, QStringLiteral("/a.torrent"), QStringLiteral("first %1").arg(i));
        queue(second, QStringLiteral("/b.torrent"), QStringLiteral("second %1").arg(i));
        expected << QStringLiteral("first %1").arg(i) << QStringLiteral("second %1").arg(i);
    }
    QVERIFY(waitForResults(50));
    QStringList stored = DownloadHistory::names();
    stored.sort();
    expected.sort();
    QCOMPARE(stored, expected);
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
