// What the loader refuses to pass on: another host's copy of our explicit headers, a body to
// another origin, and answers larger than any page or torrent file.
#include "LoopbackCertificates.h"
#include "LoopbackServer.h"

#include "platform/core/UrlLoader.h"
#include "site/HttpRequest.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class TestUrlLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What a redirect may carry on: the same host and port only, and never down to plain http,
    // where the password and the session would cross the network readable.
    // A body (307, 308) goes on only within its origin: same scheme, host and port.
    void credentialsOnRedirect_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("keeps");
        QTest::addColumn<bool>("sameOrigin");
        QTest::newRow("same place") << "http://a.test:8080/x" << "http://a.test:8080/y" << true << true;
        QTest::newRow("default port spelt out") << "https://a.test/x" << "https://A.test:443/y" << true << true;
        QTest::newRow("up to https, same port") << "http://a.test:8443/x" << "https://a.test:8443/y" << true << false;
        QTest::newRow("down to http, same port") << "https://a.test:8443/x" << "http://a.test:8443/y" << false << false;
        QTest::newRow("down to http, default ports") << "https://a.test/x" << "http://a.test/y" << false << false;
        QTest::newRow("other host") << "http://a.test/x" << "http://b.test/y" << false << false;
        QTest::newRow("other port") << "http://a.test:1/x" << "http://a.test:2/y" << false << false;
    }

    void credentialsOnRedirect()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, keeps);
        QFETCH(bool, sameOrigin);
        QCOMPARE(UrlLoader::keepsCredentialsOnRedirect(QUrl(from), QUrl(to)), keeps);
        QCOMPARE(UrlLoader::isSameOrigin(QUrl(from), QUrl(to)), sameOrigin);
    }

    void redirectToAnotherHostDropsHostAndCredentials();
    void signInPostRedirected_data();
    void signInPostRedirected();
    void oversizedBodyFails_data();
    void oversizedBodyFails();
    void pageLargerThanAnyOfTheSiteIsNoAnswer();
};

void TestUrlLoader::redirectToAnotherHostDropsHostAndCredentials()
{
    LoopbackServer other;
    other.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content("elsewhere", "text/html");
    });
    LoopbackServer site;
    site.setHandler([&other](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", other.url(QStringLiteral("/landing")).toString().toStdString());
    });

    HttpRequest request(site.url(QStringLiteral("/account_handler.php")));
    request.setExtraHeaders({{QStringLiteral("Host"), site.hostAndPort()}});
    request.setUsername(QStringLiteral("demo"));
    request.setPassword(QStringLiteral("secret"));
    request.request();

    QCOMPARE(request.result(), QStringLiteral("elsewhere"));
    QCOMPARE(site.requests().constFirst().header("Host"), site.hostAndPort().toUtf8());
    const RecordedRequest landed = other.requests().constFirst();
    QCOMPARE(landed.headerValues("Host"), QList<QByteArray>{other.hostAndPort().toUtf8()});
    QVERIFY(landed.header("Authorization").isNull());
}

// A sign-in form's post answered by a redirect: 307 and 308 keep the password in the body, so
// they are followed within the site's own origin only; elsewhere (another host and port, or
// from https down to http) the request fails and the other server hears nothing. 302 and 303
// turn the post into a GET without its body, as browsers do, and may go anywhere.
void TestUrlLoader::signInPostRedirected_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("secure");
    QTest::addColumn<bool>("elsewhere");
    QTest::addColumn<QByteArray>("landedMethod"); // empty: nothing may land
    QTest::newRow("307 within the site") << 307 << false << false << QByteArray("POST");
    QTest::newRow("308 within the https site") << 308 << true << false << QByteArray("POST");
    QTest::newRow("307 to another host") << 307 << false << true << QByteArray();
    QTest::newRow("308 to another host") << 308 << false << true << QByteArray();
    QTest::newRow("307 from https to http") << 307 << true << true << QByteArray();
    QTest::newRow("308 from https to http") << 308 << true << true << QByteArray();
    QTest::newRow("302 to another host") << 302 << false << true << QByteArray("GET");
    QTest::newRow("303 from https to http") << 303 << true << true << QByteArray("GET");
}

void TestUrlLoader::signInPostRedirected()
{
    QFETCH(int, status);
    QFETCH(bool, secure);
    QFETCH(bool, elsewhere);
    QFETCH(QByteArray, landedMethod);
    const QByteArray form = "username=demo&password=secret";

    QTemporaryDir dir;
    const QString caFile = dir.filePath(QStringLiteral("ca.pem"));
    QFile ca(caFile);
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(LoopbackCertificates::instance().authorityPem());
    ca.close();
    UrlLoader::setExtraCaFile(caFile);
    auto trustNoMore = qScopeGuard([] { UrlLoader::setExtraCaFile(QString()); });

    const auto landing = [](const httplib::Request&, httplib::Response& response) {
        response.set_content("landed", "text/html");
    };
    LoopbackServer other;
    QVERIFY2(other.isListening(), qPrintable(other.error()));
    other.setHandler(landing);
    LoopbackServer site(secure);
    QVERIFY2(site.isListening(), qPrintable(site.error()));
    const std::string next = elsewhere ? QStringLiteral("http://localhost:%1/landing").arg(other.port()).toStdString()
                                       : std::string("/landing");
    site.setHandler([&](const httplib::Request& request, httplib::Response& response) {
        if (request.path != "/account_handler.php")
            return landing(request, response);
        response.status = status;
        response.set_header("Location", next);
    });

    HttpRequest request(site.url(QStringLiteral("/account_handler.php")));
    request.setType(QStringLiteral("POST"));
    request.setPostData(QString::fromLatin1(form));
    request.setTimeout(10);
    request.request();

    QCOMPARE(site.requests().constFirst().body, form);
    if (landedMethod.isEmpty()) {
        QVERIFY(!request.hasResponse());
        QVERIFY(!request.isResponseValid());
        QCOMPARE(request.result(), QStringLiteral(""));
        QCOMPARE(other.requestCount(), 0);
        QCOMPARE(site.requestCount(), 1);
        return;
    }
    QCOMPARE(request.statusCode(), 200);
    QCOMPARE(request.result(), QStringLiteral("landed"));
    const RecordedRequest landed = (elsewhere ? other : site).requests().constLast();
    QCOMPARE(landed.target, QByteArray("/landing"));
    QCOMPARE(landed.method, landedMethod);
    QCOMPARE(landed.body, landedMethod == "POST" ? form : QByteArray());
}

void TestUrlLoader::oversizedBodyFails_data()
{
    QTest::addColumn<bool>("chunked");
    QTest::newRow("length given") << false;
    QTest::newRow("chunked, no length") << true;
}

void TestUrlLoader::oversizedBodyFails()
{
    QFETCH(bool, chunked);
    constexpr qint64 kLimit = 4096;
    LoopbackServer server;
    server.setHandler([chunked](const httplib::Request& request, httplib::Response& response) {
        const std::string body(request.path == "/big" ? kLimit + 1 : kLimit, 'x');
        if (!chunked) {
            response.set_content(body, "application/octet-stream");
            return;
        }
        response.set_chunked_content_provider("application/octet-stream", [body](size_t, httplib::DataSink& sink) {
            for (size_t at = 0; at < body.size(); at += 1000)
                sink.write(body.data() + at, std::min<size_t>(1000, body.size() - at));
            sink.done();
            return true;
        });
    });
    const std::optional<QByteArray> fits = UrlLoader::contentsOfUrl(server.url(QStringLiteral("/fits")), 10, kLimit);
    QVERIFY(fits);
    QCOMPARE(fits->size(), kLimit);
    QVERIFY(!UrlLoader::contentsOfUrl(server.url(QStringLiteral("/big")), 10, kLimit));
}

void TestUrlLoader::pageLargerThanAnyOfTheSiteIsNoAnswer()
{
    LoopbackServer server;
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(UrlLoader::kMaxPageBytes + 1, 'x'), "text/html");
    });
    HttpRequest request(server.url(QStringLiteral("/files/")));
    request.request();
    QVERIFY(!request.hasResponse());
    QVERIFY(!request.isResponseValid());
    QCOMPARE(request.result(), QStringLiteral(""));
}

QTEST_GUILESS_MAIN(TestUrlLoader)
#include "tst_urlloader.moc"
