// Many things at once: hand-offs from two list queues to a real transmission-daemon, and a
// thousand requests that lose the session together.
#include "DemoTorrentFile.h"
#include "LoopbackCertificates.h"
#include "LoopbackServer.h"
#include "RecordingAlertPresenter.h"
#include "ReplyGate.h"
#include "TransmissionDaemon.h"

#include "platform/core/CookieStore.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "remote/FetchPageDownload.h"
#include "remote/ServerInfo.h"
#include "settings/DownloadHistory.h"
#include "site/FetchPageSignIn.h"
#include "site/HttpRequest.h"
#include "site/SessionKeeper.h"
#include "site/SiteHosts.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int kHandOffsPerQueue = 50;
constexpr int kLostRequests = 1000;
constexpr int kWait = 180000; // generous: two shared cores
const char kSignInPage[] = "<html><head><title>Tarnvale :: User log in</title></head></html>";
const char kBrowsePage[] = "<html><head><title>Tarnvale :: Browse</title></head></html>";

// Renews the session as the navigation controller does: a sign-in operation with the stored
// name and password on a queue of its own, its answer taken on that queue's thread.
class SigningKeeper : public QObject, public SessionKeeper
{
    Q_OBJECT

public:
    ~SigningKeeper() override { m_queue.waitUntilAllOperationsAreFinished(); }

    void signedIn(std::shared_ptr<HttpRequest> request)
    {
        if (!SiteHosts::isLoginHeader(request ? request->result() : QString()))
            setSessionValidated(true);
    }

    std::atomic<int> renewals{0};

protected:
    void startRenewal() override
    {
        ++renewals;
        auto signIn = std::make_unique<FetchPageSignIn>(SiteHosts::loginUrl(), QStringLiteral("demo"),
                                                        QStringLiteral("secret"), QString(), QString(), this,
                                                        &SigningKeeper::signedIn);
        signIn->setDeliversOnWorkerThread(true);
        m_queue.addOperation(std::move(signIn));
    }

private:
    OperationQueue m_queue;
};

} // namespace

class TestLoad : public QObject
{
    Q_OBJECT

public:
    void downloadedFinished(const QString& name) { m_delivered.append(name); }

private Q_SLOTS:
    void initTestCase();
    void handOffsFromTwoListQueues();
    void thousandRequestsLosingTheSessionSignInOnce();

private:
    QTemporaryDir m_dir;
    QStringList m_delivered;
};

void TestLoad::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
}

// Two list screens hand torrents over at once, each from its own queue: the daemon holds
// every one, and the history is the last 50 names handed over, none lost, none twice.
void TestLoad::handOffsFromTwoListQueues()
{
    QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
    TransmissionDaemon daemon(QStringLiteral("remote"), QStringLiteral("p@ss"));
    QVERIFY2(daemon.start(), qPrintable(daemon.errorText()));

    LoopbackServer site;
    QVERIFY2(site.isListening(), qPrintable(site.error()));
    const QString announce = QStringLiteral("http://127.0.0.1:%1/announce.php").arg(site.port());
    // /files/download/<queue>/<n>: a torrent of its own for every hand-off.
    site.setHandler([announce](const httplib::Request& request, httplib::Response& response) {
        const QString path = QString::fromStdString(request.path);
        if (!path.startsWith(QLatin1String("/files/download/"))) {
            response.status = 404;
            return;
        }
        const QString file = path.mid(16).replace(QLatin1Char('/'), QLatin1Char('.')) + QStringLiteral(".avi");
        response.set_content(DemoTorrentFile::make(file, announce, 20000).toStdString(), "application/x-bittorrent");
    });

    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(QStringLiteral("Transmission"));
    info.setAddress(TransmissionDaemon::address());
    info.setPort(QString::number(daemon.rpcPort()));
    info.setUsername(daemon.username());
    info.setPassword(daemon.password());
    RecordingAlertPresenter alerts;

    const QStringList queues{QStringLiteral("a"), QStringLiteral("b")};
    QHash<QString, QStringList> order; // names of each queue, in the order it hands them over
    {
        OperationQueue first(1);
        OperationQueue second(1);
        for (int n = 0; n < kHandOffsPerQueue; ++n) {
            for (const QString& queue : queues) {
                const QString name = QStringLiteral("Torrent %1 %2").arg(queue).arg(n);
                order[queue].append(name);
                (queue == queues[0] ? first : second)
                    .addOperation(std::make_unique<FetchPageDownload>(
                        site.url(QStringLiteral("/files/download/%1/%2").arg(queue).arg(n)), name, this,
                        &TestLoad::downloadedFinished));
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_delivered.size(), 2 * kHandOffsPerQueue, kWait);
    }
    for (const RecordingAlertPresenter::Alert& alert : alerts.alerts())
        QFAIL(qPrintable(alert.title + QLatin1Char(' ') + alert.message));
    QCOMPARE(QSet<QString>(m_delivered.cbegin(), m_delivered.cend()).size(), 2 * kHandOffsPerQueue);
    QVERIFY(!m_delivered.contains(QString()));

    QStringList held = daemon.torrentNames();
    QCOMPARE(held.size(), 2 * kHandOffsPerQueue);
    for (const QString& queue : queues) {
        for (int n = 0; n < kHandOffsPerQueue; ++n)
            QVERIFY(held.contains(QStringLiteral("%1.%2.avi").arg(queue).arg(n)));
    }

    // The last 50 of the two queues' hand-offs, however they interleaved: each queue's names
    // in the history are the newest of that queue, in its order, and together there are 50.
    const QStringList history = DownloadHistory::names();
    QCOMPARE(history.size(), DownloadHistory::kMaxEntries);
    QCOMPARE(QSet<QString>(history.cbegin(), history.cend()).size(), history.size());
    qsizetype kept = 0;
    for (const QString& queue : queues) {
        QStringList ofQueue;
        for (const QString& name : history) {
            if (name.startsWith(QStringLiteral("Torrent %1 ").arg(queue)))
                ofQueue.append(name);
        }
        QCOMPARE(ofQueue, order[queue].mid(order[queue].size() - ofQueue.size()));
        kept += ofQueue.size();
    }
    QCOMPARE(kept, history.size());
    daemon.stop();
}

// The session ends while a thousand requests are under way: each meets the sign-in page, one
// sign-in renews the session for all, and each is sent once more and gets its page.
void TestLoad::thousandRequestsLosingTheSessionSignInOnce()
{
    CookieStore::shared().deleteAll();
    QTemporaryDir certificates;
    const QString caFile = certificates.filePath(QStringLiteral("ca.pem"));
    QFile ca(caFile);
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(LoopbackCertificates::instance().authorityPem());
    ca.close();
    UrlLoader::setExtraCaFile(caFile);

    // The sign-in endpoint over https; it answers once every request has met the sign-in page
    // (well within the sign-in's own time-out: a sign-in that gets no answer counts as done).
    LoopbackServer secure(true);
    QVERIFY2(secure.isListening(), qPrintable(secure.error()));
    ReplyGate gate;
    std::atomic<int> signIns{0};
    secure.setHandler([&gate, &signIns](const httplib::Request& request, httplib::Response& response) {
        if (request.path != "/account_handler.php") {
            response.status = 404;
            return;
        }
        ++signIns;
        gate.hold(QStringLiteral("sign-in"));
        response.set_header("Set-Cookie", "pass=renewed; path=/");
        response.set_content(kBrowsePage, "text/html");
    });
    SiteHosts::setSecureWebHost(secure.hostAndPort());

    LoopbackServer pages;
    QVERIFY2(pages.isListening(), qPrintable(pages.error()));
    pages.setHandler([](const httplib::Request& request, httplib::Response& response) {
        const bool session = request.get_header_value("Cookie").find("pass=renewed") != std::string::npos;
        response.set_content(session ? kBrowsePage : kSignInPage, "text/html");
    });

    SigningKeeper keeper;
    keeper.setShowLogin(true);
    keeper.setSessionValidated(true);
    SessionKeeper::setInstance(&keeper);

    std::vector<std::unique_ptr<HttpRequest>> requests;
    std::vector<std::thread> threads;
    for (int i = 0; i < kLostRequests; ++i)
        requests.push_back(std::make_unique<HttpRequest>(pages.url(QStringLiteral("/browse.php?page=%1").arg(i))));
    for (int i = 0; i < kLostRequests; ++i)
        threads.emplace_back([request = requests[size_t(i)].get()] { request->request(); });

    QTRY_VERIFY_WITH_TIMEOUT(pages.answered().size() >= kLostRequests, kWait);
    gate.release(QStringLiteral("sign-in"));
    for (std::thread& thread : threads)
        thread.join();
    SessionKeeper::setInstance(nullptr);
    UrlLoader::setExtraCaFile(QString());

    // What the renewal met, should it not have reached the sign-in endpoint.
    QVERIFY2(signIns.load() == 1, qPrintable(QStringLiteral("%1 sign-ins, %2 renewals, %3 pages asked, first answer: %4")
                                                 .arg(signIns.load()).arg(keeper.renewals.load())
                                                 .arg(pages.requestCount()).arg(requests.front()->result().left(80))));
    QCOMPARE(keeper.renewals.load(), 1);
    for (const auto& request : requests)
        QCOMPARE(request->result(), QString::fromLatin1(kBrowsePage));
    QCOMPARE(pages.requestCount(), 2 * kLostRequests); // each sent once more, none lost
}

QTEST_GUILESS_MAIN(TestLoad)
#include "tst_load.moc"
