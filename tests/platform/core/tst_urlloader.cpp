// What the loader refuses to pass on: another host's copy of our explicit headers, and
// answers larger than any page or torrent file.
#include "LoopbackServer.h"

#include "platform/core/UrlLoader.h"
#include "site/HttpRequest.h"

#include <QTest>

class TestUrlLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What a redirect may carry on: the same host and port only, and never down to plain http,
    // where the password and the session would cross the network readable.
    void credentialsOnRedirect_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("keeps");
        QTest::newRow("same place") << "http://a.test:8080/x" << "http://a.test:8080/y" << true;
        QTest::newRow("default port spelt out") << "https://a.test/x" << "https://A.test:443/y" << true;
        QTest::newRow("up to https, same port") << "http://a.test:8443/x" << "https://a.test:8443/y" << true;
        QTest::newRow("down to http, same port") << "https://a.test:8443/x" << "http://a.test:8443/y" << false;
        QTest::newRow("down to http, default ports") << "https://a.test/x" << "http://a.test/y" << false;
        QTest::newRow("other host") << "http://a.test/x" << "http://b.test/y" << false;
        QTest::newRow("other port") << "http://a.test:1/x" << "http://a.test:2/y" << false;
    }

    void credentialsOnRedirect()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, keeps);
        QCOMPARE(UrlLoader::keepsCredentialsOnRedirect(QUrl(from), QUrl(to)), keeps);
    }

    void redirectToAnotherHostDropsHostAndCredentials();
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
