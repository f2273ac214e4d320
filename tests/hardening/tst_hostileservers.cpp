// Servers that misbehave on purpose, met through the app's own request path: a listing page
// read by the listing request, a .torrent fetched by the download operation. Each exchange
// must end (by its time-out or a size cap), stay within bounded memory, and fail the way a
// network failure fails, so that the user sees the usual failure alert (with its own cause). Credentials never follow
// a redirect to another host.
#include "HostileServer.h"
#include "LoopbackCertificates.h"
#include "LoopbackServer.h"
#include "RecordingAlertPresenter.h"

#include "platform/core/CookieStore.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "remote/FetchPageDownload.h"
#include "settings/DownloadHistory.h"
#include "site/HttpRequestRegExTorrent.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using Misbehaviour = HostileServer::Misbehaviour;
Q_DECLARE_METATYPE(HostileServer::Misbehaviour)

namespace {

// Short, so that an answer that never ends is given up soon; caps end the large ones sooner.
constexpr int kTimeoutSeconds = 4;
// Generous for a busy machine, yet well below the 60 s an exchange gets by default.
constexpr int kEndsWithinMs = 30000;
// What one exchange may add to the process's peak memory: a page at its cap is held once as
// bytes and once as text, with room for the buffer's growth.
constexpr qint64 kPeakGrowthBoundKb = 160 * 1024;
const QUrl kNothingListens(QStringLiteral("http://127.0.0.1:1/files/download/1"));

qint64 statusKb(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Peak memory from now on: Linux starts the high-water mark (VmHWM) again at the current size.
qint64 startPeakMeasure()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return statusKb("VmRSS");
}

// What the listing request was left with.
struct PageOutcome
{
    bool hasResponse = false;
    bool hasData = false;
    bool resultNull = false;
    bool resultEmpty = false;
    bool hasTorrents = false;
    qsizetype torrentCount = 0;

    bool operator==(const PageOutcome&) const = default;
};

char* toString(const PageOutcome& o)
{
    return qstrdup(qPrintable(QStringLiteral("response %1 data %2 result null %3 empty %4 torrents %5 (%6)")
                                  .arg(o.hasResponse).arg(o.hasData).arg(o.resultNull).arg(o.resultEmpty)
                                  .arg(o.hasTorrents).arg(o.torrentCount)));
}

// Runs the listing request on a worker thread, as its operation does.
PageOutcome readListing(const QUrl& url, bool* ended)
{
    HttpRequestRegExTorrent request(url);
    std::unique_ptr<QThread> worker(QThread::create([&request] { request.request(); }));
    worker->start();
    *ended = QTest::qWaitFor([&worker] { return worker->isFinished(); }, kEndsWithinMs);
    worker->wait();
    PageOutcome outcome;
    outcome.hasResponse = request.hasResponse();
    outcome.hasData = request.responseData().has_value();
    outcome.resultNull = request.result().isNull();
    outcome.resultEmpty = request.result().isEmpty();
    outcome.hasTorrents = request.torrents().has_value();
    outcome.torrentCount = request.torrents() ? request.torrents()->size() : 0;
    return outcome;
}

} // namespace

class TestHostileServers : public QObject
{
    Q_OBJECT

public:
    void downloadedFinished(const QString& name)
    {
        m_delivered = true;
        m_name = name;
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void listingRequestFailsAsWithoutNetwork_data();
    void listingRequestFailsAsWithoutNetwork();
    void torrentDownloadFailsAsWithoutNetwork_data();
    void torrentDownloadFailsAsWithoutNetwork();
    void credentialsStayWithTheirHost();

private:
    void addCases(bool torrent);
    // Runs one download operation; returns the alerts it raised.
    QList<RecordingAlertPresenter::Alert> download(const QUrl& url, bool* ended);

    QTemporaryDir m_dir;
    RecordingAlertPresenter m_alerts;
    bool m_delivered = false;
    QString m_name;
};

void TestHostileServers::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(statusKb("VmHWM") > 0, "no /proc/self/status to measure memory with");
    SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
    const QString caFile = m_dir.filePath(QStringLiteral("ca.pem"));
    QFile ca(caFile);
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(LoopbackCertificates::instance().authorityPem());
    ca.close();
    // The wrong-name case must fail on the name alone: its authority is trusted.
    UrlLoader::setExtraCaFile(caFile);
    UrlLoader::setDefaultTimeoutSeconds(kTimeoutSeconds);
}

void TestHostileServers::init()
{
    CookieStore::shared().deleteAll();
    m_alerts.clear();
    m_delivered = false;
    m_name = QStringLiteral("(nothing)");
}

void TestHostileServers::cleanupTestCase()
{
    UrlLoader::setDefaultTimeoutSeconds(0);
    UrlLoader::setExtraCaFile(QString());
}

void TestHostileServers::addCases(bool torrent)
{
    QTest::addColumn<Misbehaviour>("misbehaviour");
    QTest::addColumn<bool>("wrongName");
    QTest::addColumn<bool>("answered"); // a response arrives, but is no text the app reads
    QTest::newRow("answer that never ends") << Misbehaviour::SlowDrip << false << false;
    QTest::newRow("2 GB length, short body") << Misbehaviour::HugeLengthShortBody << false << false;
    if (torrent) {
        QTest::newRow("500 MB torrent") << Misbehaviour::HugeTorrent << false << false;
        QTest::newRow("500 MB torrent, chunked") << Misbehaviour::HugeTorrentChunked << false << false;
    } else {
        QTest::newRow("20 MB listing") << Misbehaviour::HugeListing << false << false;
        QTest::newRow("20 MB listing, chunked") << Misbehaviour::HugeListingChunked << false << false;
    }
    QTest::newRow("redirect loop") << Misbehaviour::RedirectLoop << false << false;
    QTest::newRow("certificate for another name") << Misbehaviour::None << true << false;
    QTest::newRow("unknown encoding") << Misbehaviour::UnknownEncoding << false << true;
}

void TestHostileServers::listingRequestFailsAsWithoutNetwork_data()
{
    addCases(false);
}

void TestHostileServers::listingRequestFailsAsWithoutNetwork()
{
    QFETCH(Misbehaviour, misbehaviour);
    QFETCH(bool, wrongName);
    QFETCH(bool, answered);
    bool ended = false;
    const PageOutcome withoutNetwork = readListing(kNothingListens, &ended);
    QVERIFY(ended);
    QVERIFY(!withoutNetwork.hasResponse && withoutNetwork.resultEmpty && !withoutNetwork.resultNull);

    HostileServer server(wrongName, wrongName ? LoopbackServer::Certificate::ForAnotherName
                                              : LoopbackServer::Certificate::ForLoopback);
    QVERIFY2(server.server().isListening(), qPrintable(server.server().error()));
    server.setMisbehaviour(misbehaviour);

    const qint64 before = startPeakMeasure();
    const PageOutcome outcome = readListing(server.url(QStringLiteral("/browse.php?page=0")), &ended);
    const qint64 growth = statusKb("VmHWM") - before;
    qInfo("peak memory grew by %lld KB; the server sent %lld body bytes", growth, server.bodyBytesSent());
    QVERIFY2(ended, "the request did not end");
    QVERIFY2(growth < kPeakGrowthBoundKb, qPrintable(QString::number(growth)));
    if (answered) {
        // An answer that cannot be read as text: no text and no rows, which the list shows
        // as it shows a failed load.
        QVERIFY(outcome.hasResponse);
        QVERIFY(outcome.resultNull);
        QVERIFY(!outcome.hasTorrents);
    } else {
        QCOMPARE(outcome, withoutNetwork);
    }
    if (wrongName) {
        // The same authority's certificate for the right name is taken.
        HostileServer good(true);
        QVERIFY2(good.server().isListening(), qPrintable(good.server().error()));
        QVERIFY(readListing(good.url(QStringLiteral("/browse.php?page=0")), &ended).hasResponse);
    }
}

QList<RecordingAlertPresenter::Alert> TestHostileServers::download(const QUrl& url, bool* ended)
{
    m_alerts.clear();
    m_delivered = false;
    OperationQueue queue;
    queue.addOperation(
        std::make_unique<FetchPageDownload>(url, QStringLiteral("Huge"), this, &TestHostileServers::downloadedFinished));
    *ended = QTest::qWaitFor([this] { return m_delivered; }, kEndsWithinMs);
    queue.waitUntilAllOperationsAreFinished();
    return m_alerts.alerts();
}

void TestHostileServers::torrentDownloadFailsAsWithoutNetwork_data()
{
    addCases(true);
}

void TestHostileServers::torrentDownloadFailsAsWithoutNetwork()
{
    QFETCH(Misbehaviour, misbehaviour);
    QFETCH(bool, wrongName);
    bool ended = false;
    const QList<RecordingAlertPresenter::Alert> withoutNetwork = download(kNothingListens, &ended);
    QVERIFY(ended);
    QVERIFY(m_name.isNull());
    QCOMPARE(withoutNetwork.size(), 1);

    HostileServer server(wrongName, wrongName ? LoopbackServer::Certificate::ForAnotherName
                                              : LoopbackServer::Certificate::ForLoopback);
    QVERIFY2(server.server().isListening(), qPrintable(server.server().error()));
    server.setMisbehaviour(misbehaviour);

    const qint64 before = startPeakMeasure();
    const QList<RecordingAlertPresenter::Alert> alerts = download(server.url(QStringLiteral("/files/download/1")), &ended);
    const qint64 growth = statusKb("VmHWM") - before;
    qInfo("peak memory grew by %lld KB; the server sent %lld body bytes", growth, server.bodyBytesSent());
    QVERIFY2(ended, "the download did not end");
    QVERIFY2(growth < kPeakGrowthBoundKb, qPrintable(QString::number(growth)));
    QVERIFY(m_name.isNull());
    // The same alert as without network; its message names this server's own fault.
    QCOMPARE(alerts.size(), 1);
    QCOMPARE(alerts.first().title, withoutNetwork.first().title);
    QCOMPARE(alerts.first().button, withoutNetwork.first().button);
    QVERIFY(!alerts.first().message.isEmpty());
    QVERIFY(DownloadHistory::names().isEmpty());
    // The client gave up long before the end of a huge body.
    QVERIFY(server.bodyBytesSent() < HostileServer::kHugeTorrentBytes / 4);
}

// The site's credentials (its Basic authentication, an explicit cookie header and the
// session cookie in the store) go to the site's host only, never to the host it redirects to.
void TestHostileServers::credentialsStayWithTheirHost()
{
    LoopbackServer elsewhere;
    QVERIFY2(elsewhere.isListening(), qPrintable(elsewhere.error()));
    elsewhere.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content("<html>elsewhere</html>", "text/html");
    });
    HostileServer site;
    QVERIFY2(site.server().isListening(), qPrintable(site.server().error()));
    site.setMisbehaviour(Misbehaviour::RedirectElsewhere);
    site.setRedirectTarget(QUrl(QStringLiteral("http://localhost:%1/landing").arg(elsewhere.port())));
    Cookie session;
    session.name = QStringLiteral("pass");
    session.value = QStringLiteral("s3cret");
    session.domain = QStringLiteral("127.0.0.1");
    QVERIFY(CookieStore::shared().setCookie(session));

    HttpRequest request(site.url(QStringLiteral("/files/")));
    request.setUsername(QStringLiteral("demo"));
    request.setPassword(QStringLiteral("secret"));
    request.setExtraHeaders({{QStringLiteral("Cookie"), QStringLiteral("uid=7")}});
    request.request();

    QCOMPARE(request.result(), QStringLiteral("<html>elsewhere</html>"));
    const RecordedRequest asked = site.server().requests().constFirst();
    QVERIFY(!asked.header("Authorization").isNull());
    QVERIFY(asked.headerValues("Cookie").join(";").contains("pass=s3cret"));
    const RecordedRequest landed = elsewhere.requests().constFirst();
    QVERIFY(landed.header("Authorization").isNull());
    QVERIFY(landed.header("Cookie").isNull());
}

QTEST_GUILESS_MAIN(TestHostileServers)
#include "tst_hostileservers.moc"
