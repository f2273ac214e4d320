#include "LoopbackCertificates.h"
#include "LoopbackServer.h"
#include "ReplyGate.h"
#include "platform/core/CookieStore.h"
#include "platform/core/UrlLoader.h"
#include "site/HttpRequest.h"
#include "site/MultipartSource.h"
#include "site/PagePrefetch.h"
#include "site/SessionKeeper.h"
#include "site/SiteHosts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using Headers = QList<QPair<QByteArray, QByteArray>>;
using ExtraHeaders = QList<QPair<QString, QString>>;

namespace {

const char kSignInPage[] = "<html><head><title>Tarnvale :: User log in</title></head></html>";

// Counts how often the request asks for the body.
class CountingSource : public MultipartSource
{
public:
    QByteArray getData() const override
    {
        ++calls;
        return QByteArray("--") + kMultipartBoundary + "\r\nContent-Disposition: form-data; name=\"torrent_file\"; "
               "filename=\"a.torrent\"\r\n\r\nd4:infoe\xff\r\n--" + kMultipartBoundary + "--\r\n";
    }
    mutable std::atomic<int> calls{0};
};

// Renews the session on a thread of its own, as the navigation controller does.
class TestKeeper : public SessionKeeper
{
public:
    ~TestKeeper() override { joinRenewals(); }
    void joinRenewals()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (std::thread& thread : m_threads)
            thread.join();
        m_threads.clear();
    }

    std::function<void()> renewal; // runs before the session is marked good again
    std::atomic<int> renewals{0};

protected:
    void startRenewal() override
    {
        ++renewals;
        std::lock_guard<std::mutex> guard(m_lock);
        m_threads.emplace_back([this] {
            if (renewal)
                renewal();
            setSessionValidated(true);
        });
    }

private:
    std::mutex m_lock;
    std::vector<std::thread> m_threads;
};

// The header fields as sent, without the two that the HTTP library adds on its own.
Headers sentHeaders(const RecordedRequest& request)
{
    Headers headers = request.headers;
    headers.removeIf([](const QPair<QByteArray, QByteArray>& h) {
        return h.first.compare("Host", Qt::CaseInsensitive) == 0
            || (h.first.compare("Accept", Qt::CaseInsensitive) == 0 && h.second == "*/*");
    });
    return headers;
}

} // namespace

class TestHttpRequest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sendsBrowserHeaders_data();
    void sendsBrowserHeaders();
    void multipartAsksBodyTwice();
    void validity_data();
    void validity();
    void decoding_data();
    void decoding();
    void noResponse();
    void httpsTrustsOnlyKnownAuthorities();
    void redirectsKeepCookiesAndFinalHeaders();
    void twoLostRequestsShareOneRenewal();
    void signInPageReturnedWithoutWaiting_data();
    void signInPageReturnedWithoutWaiting();
    void renewalThatDoesNotHelpEndsTheRequest();
    void prefetchAnswersOnlyItsOwnExchangeOnce_data();
    void prefetchAnswersOnlyItsOwnExchangeOnce();

private:
    TestKeeper m_keeper;
};

void TestHttpRequest::init()
{
    CookieStore::shared().deleteAll();
    m_keeper.renewal = nullptr;
    m_keeper.renewals = 0;
    m_keeper.setShowLogin(true);
    m_keeper.setSessionValidated(true);
    SessionKeeper::setInstance(nullptr);
}

void TestHttpRequest::cleanup()
{
    m_keeper.joinRenewals();
    SessionKeeper::setInstance(nullptr);
}

void TestHttpRequest::sendsBrowserHeaders_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("postData");
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("desktop");
    QTest::addColumn<ExtraHeaders>("extra");
    QTest::addColumn<Headers>("expected");
    QTest::addColumn<QByteArray>("body");

    const QByteArray desktop = HttpRequest::kDesktopUserAgent;
    const QByteArray phone = HttpRequest::kPhoneUserAgent;
    QVERIFY(desktop.endsWith(".NET CLR")); // no closing parenthesis
    QTest::newRow("GET, defaults") << "GET" << QString() << QString() << QString() << true << ExtraHeaders()
                                   << Headers{{"Content-Type", "text/html"}, {"User-Agent", desktop}} << QByteArray();
    QTest::newRow("phone agent, empty user") << "GET" << QString() << "" << "secret" << false << ExtraHeaders()
                                             << Headers{{"Content-Type", "text/html"}, {"User-Agent", phone}}
                                             << QByteArray();
    QTest::newRow("user and password")
        << "GET" << QString() << QStringLiteral("admin") << QStringLiteral("p\u00e4ss") << true << ExtraHeaders()
        << Headers{{"Content-Type", "text/html"}, {"Authorization", "Basic YWRtaW46cMOkc3M="}, {"User-Agent", desktop}}
        << QByteArray();
    QTest::newRow("user without password")
        << "GET" << QString() << QStringLiteral("admin") << QString() << true << ExtraHeaders()
        << Headers{{"Content-Type", "text/html"}, {"Authorization", "Basic YWRtaW46"}, {"User-Agent", desktop}}
        << QByteArray();
    QTest::newRow("form post") << "POST" << QStringLiteral("username=a&password=%C3%A4&note=\u00e9") << QString()
                               << QString() << true << ExtraHeaders()
                               << Headers{{"Content-Type", "application/x-www-form-urlencoded"},
                                          {"Content-Length", "34"},
                                          {"User-Agent", desktop}}
                               << QByteArray("username=a&password=%C3%A4&note=\xc3\xa9");
    QTest::newRow("extra headers in order, one name twice")
        << "GET" << QString() << QStringLiteral("u") << QStringLiteral("p") << true
        << ExtraHeaders{{QStringLiteral("Referer"), QStringLiteral("https://www.tarnvale.org/")},
                        {QStringLiteral("X-Transmission-Session-Id"), QStringLiteral("abc")},
                        {QStringLiteral("Content-Type"), QStringLiteral("application/json")}}
        << Headers{{"Content-Type", "text/html"},
                   {"Referer", "https://www.tarnvale.org/"},
                   {"X-Transmission-Session-Id", "abc"},
                   {"Content-Type", "application/json"},
                   {"Authorization", "Basic dTpw"},
                   {"User-Agent", desktop}}
        << QByteArray();
}

void TestHttpRequest::sendsBrowserHeaders()
{
    QFETCH(QString, type);
    QFETCH(QString, postData);
    QFETCH(QString, username);
    QFETCH(QString, password);
    QFETCH(bool, desktop);
    QFETCH(ExtraHeaders, extra);
    QFETCH(Headers, expected);
    QFETCH(QByteArray, body);

    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    HttpRequest request(server.url(QStringLiteral("/files/?page=1")));
    request.setType(type);
    request.setPostData(postData);
    request.setUsername(username);
    request.setPassword(password);
    request.setOverwriteUserAgent(desktop);
    request.setExtraHeaders(extra);
    request.request();

    QCOMPARE(server.requestCount(), 1);
    const RecordedRequest sent = server.requests().first();
    QCOMPARE(sent.method, type.toUtf8());
    QCOMPARE(sent.target, QByteArray("/files/?page=1"));
    QCOMPARE(sentHeaders(sent), expected);
    QCOMPARE(sent.body, body);
}

void TestHttpRequest::multipartAsksBodyTwice()
{
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    CountingSource source;
    HttpRequest request(server.url(QStringLiteral("/transmission/upload?paused=false")));
    request.setType(QStringLiteral("POST"));
    request.setPostData(QStringLiteral("ignored=1"));
    request.setClient(&source);
    request.request();

    QCOMPARE(source.calls.load(), 2);
    const RecordedRequest sent = server.requests().first();
    const QByteArray data = source.getData();
    QCOMPARE(sent.body, data);
    QCOMPARE(sentHeaders(sent),
             (Headers{{"Content-Type", QByteArray("multipart/form-data; boundary=") + kMultipartBoundary},
                      {"Keep-Alive", "115"},
                      {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                      {"Content-Length", QByteArray::number(data.size())},
                      {"User-Agent", HttpRequest::kDesktopUserAgent}}));
}

// 199 cannot be a final status over HTTP/1.1 (it is an interim answer), so the lower edge
// is checked with 200 and a status the request never saw.
void TestHttpRequest::validity_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("valid");
    QTest::newRow("200") << 200 << true;
    QTest::newRow("204") << 204 << true;
    QTest::newRow("301 without a Location") << 301 << true;
    QTest::newRow("302 without a Location") << 302 << false;
    QTest::newRow("404") << 404 << false;
    QTest::newRow("500") << 500 << false;
}

void TestHttpRequest::validity()
{
    QFETCH(int, status);
    QFETCH(bool, valid);
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([status](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        if (status != 204)
            response.set_content("body", "text/html");
    });
    HttpRequest request(server.url(QStringLiteral("/")));
    QVERIFY(!request.isResponseValid());
    request.request();
    QCOMPARE(request.statusCode(), status);
    QCOMPARE(request.isResponseValid(), valid);
    QCOMPARE(request.result(), status == 204 ? QStringLiteral("") : QStringLiteral("body"));
}

void TestHttpRequest::decoding_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("result"); // null: absent
    QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f \xe2\x82\xac") << QStringLiteral("Gr\u00fc\u00df \u20ac");
    QTest::newRow("ASCII") << QByteArray("<b>plain</b>") << QStringLiteral("<b>plain</b>");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9") << QString();
    QTest::newRow("cut UTF-8 sequence") << QByteArray("ab\xe2\x82") << QString();
}

void TestHttpRequest::decoding()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, result);
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body.toStdString(), "text/html");
    });
    HttpRequest request(server.url(QStringLiteral("/")));
    request.request();
    QCOMPARE(request.result().isNull(), result.isNull());
    QCOMPARE(request.result(), result);
    QVERIFY(request.responseData().has_value());
    QCOMPARE(*request.responseData(), body);
}

void TestHttpRequest::noResponse()
{
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Transmission-Session-Id", "first");
        response.set_content("first", "text/plain");
    });
    HttpRequest request(server.url(QStringLiteral("/")));
    request.request();
    QCOMPARE(request.headerValue(QStringLiteral("x-transmission-session-id")), QStringLiteral("first"));

    QUrl closed;
    {
        LoopbackServer gone;
        QVERIFY2(gone.isListening(), qPrintable(gone.error()));
        closed = gone.url(QStringLiteral("/"));
    }
    request.setUrl(closed);
    request.request();
    QVERIFY(!request.result().isNull());
    QVERIFY(request.result().isEmpty());
    QVERIFY(!request.responseData().has_value());
    QCOMPARE(request.statusCode(), 0);
    QVERIFY(!request.isResponseValid());
    QCOMPARE(request.headerValue(QStringLiteral("X-Transmission-Session-Id")), QStringLiteral("first"));
}

// The loopback authority is not a system one: without the extra CA file the exchange fails
// (verification is never off), with it the page arrives; the file is read once when set.
void TestHttpRequest::httpsTrustsOnlyKnownAuthorities()
{
    LoopbackServer server(true);
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content("secure", "text/html");
    });
    HttpRequest request(server.url(QStringLiteral("/account_handler.php")));
    request.request();
    QVERIFY(!request.hasResponse());

    QTemporaryDir dir;
    const QString caFile = dir.filePath(QStringLiteral("ca.pem"));
    QFile ca(caFile);
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(LoopbackCertificates::instance().authorityPem());
    ca.close();
    UrlLoader::setExtraCaFile(caFile);
    QFile::remove(caFile);
    request.request();
    UrlLoader::setExtraCaFile(QString());
    QCOMPARE(request.result(), QStringLiteral("secure"));
    QCOMPARE(server.requestCount(), 1);
}

// A form post answered by a redirect chain: the cookies set on the way are kept and sent,
// the headers are those of the last answer, and the post turned into a GET carries no body
// headers (the server would otherwise wait for a body that never comes).
void TestHttpRequest::redirectsKeepCookiesAndFinalHeaders()
{
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([](const httplib::Request& request, httplib::Response& response) {
        if (request.path == "/account_handler.php") {
            response.status = 302;
            response.set_header("Location", "/step");
            response.set_header("Set-Cookie", "uid=7; Path=/");
        } else if (request.path == "/step") {
            response.status = 301;
            response.set_header("Location", "/home");
            response.set_header("X-Step", "1");
        } else {
            response.set_header("X-Final", "yes");
            response.set_content("home", "text/html");
        }
    });
    HttpRequest request(server.url(QStringLiteral("/account_handler.php")));
    request.setType(QStringLiteral("POST"));
    request.setPostData(QStringLiteral("username=a&password=b"));
    request.setTimeout(10);
    request.request();

    QCOMPARE(request.statusCode(), 200);
    QCOMPARE(request.result(), QStringLiteral("home"));
    QCOMPARE(request.responseUrl(), server.url(QStringLiteral("/home")));
    QCOMPARE(request.headerValue(QStringLiteral("X-Final")), QStringLiteral("yes"));
    QVERIFY(request.headerValue(QStringLiteral("X-Step")).isNull());
    QVERIFY(request.headerValue(QStringLiteral("Location")).isNull());

    const QList<RecordedRequest> sent = server.requests();
    QCOMPARE(sent.size(), 3);
    QCOMPARE(sent.at(0).method, QByteArray("POST"));
    for (int i = 1; i < 3; ++i) {
        QCOMPARE(sent.at(i).method, QByteArray("GET"));
        QCOMPARE(sent.at(i).header("Cookie"), QByteArray("uid=7"));
        QVERIFY(sent.at(i).header("Content-Length").isNull());
        QCOMPARE(sent.at(i).header("User-Agent"), QByteArray(HttpRequest::kDesktopUserAgent));
    }

    HttpRequest next(server.url(QStringLiteral("/users/7")));
    next.request();
    QCOMPARE(server.requests().last().header("Cookie"), QByteArray("uid=7"));
}

void TestHttpRequest::twoLostRequestsShareOneRenewal()
{
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    std::atomic<bool> signedIn{false};
    server.setHandler([&signedIn](const httplib::Request&, httplib::Response& response) {
        response.set_content(signedIn ? "<title>Tarnvale :: Browse</title>" : kSignInPage, "text/html");
    });
    // The renewal signs in only once both requests have met the sign-in page: answered, not
    // merely asked, or the second could be answered after the sign-in.
    std::atomic<bool> bothAnswered{false};
    m_keeper.renewal = [&] {
        bothAnswered = server.waitForAnswered(2);
        signedIn = true;
    };
    SessionKeeper::setInstance(&m_keeper);

    HttpRequest first(server.url(QStringLiteral("/files/")));
    HttpRequest second(server.url(QStringLiteral("/friends.php")));
    std::thread a([&first] { first.request(); });
    std::thread b([&second] { second.request(); });
    a.join();
    b.join();

    QVERIFY(bothAnswered);
    QCOMPARE(m_keeper.renewals.load(), 1);
    QCOMPARE(first.result(), QStringLiteral("<title>Tarnvale :: Browse</title>"));
    QCOMPARE(second.result(), QStringLiteral("<title>Tarnvale :: Browse</title>"));
    QCOMPARE(server.requestCount(), 4);
}

void TestHttpRequest::signInPageReturnedWithoutWaiting_data()
{
    QTest::addColumn<bool>("toSignInEndpoint");
    QTest::addColumn<bool>("showLogin");
    QTest::addColumn<bool>("keeper");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("sign-in endpoint over https") << true << true << true << QByteArray(kSignInPage);
    QTest::newRow("login screen up") << false << false << true << QByteArray(kSignInPage);
    QTest::newRow("no keeper registered") << false << true << false << QByteArray(kSignInPage);
    QTest::newRow("undecodable sign-in page") << false << true << true << QByteArray(kSignInPage) + "\xff";
}

void TestHttpRequest::signInPageReturnedWithoutWaiting()
{
    QFETCH(bool, toSignInEndpoint);
    QFETCH(bool, showLogin);
    QFETCH(bool, keeper);
    QFETCH(QByteArray, page);

    QTemporaryDir dir;
    const QString caFile = dir.filePath(QStringLiteral("ca.pem"));
    QFile ca(caFile);
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(LoopbackCertificates::instance().authorityPem());
    ca.close();
    UrlLoader::setExtraCaFile(caFile);

    LoopbackServer server(toSignInEndpoint);
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([page](const httplib::Request&, httplib::Response& response) {
        response.set_content(page.toStdString(), "text/html");
    });
    SiteHosts::setSecureWebHost(server.hostAndPort());
    m_keeper.setShowLogin(showLogin);
    SessionKeeper::setInstance(keeper ? &m_keeper : nullptr);

    HttpRequest request(toSignInEndpoint ? SiteHosts::loginUrl() : server.url(QStringLiteral("/files/")));
    request.request();
    UrlLoader::setExtraCaFile(QString());
    SiteHosts::setSecureWebHost(QString());

    QCOMPARE(request.statusCode(), 200);
    QCOMPARE(*request.responseData(), page);
    QCOMPARE(request.result().isNull(), page.endsWith('\xff'));
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(m_keeper.renewals.load(), 0);
    QVERIFY(m_keeper.sessionValidated());
}

// A renewal that succeeds while the page still answers the sign-in page: the request does
// not start renewal after renewal, it returns the sign-in page it got.
void TestHttpRequest::renewalThatDoesNotHelpEndsTheRequest()
{
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content(kSignInPage, "text/html");
    });
    SessionKeeper::setInstance(&m_keeper);
    HttpRequest request(server.url(QStringLiteral("/files/")));
    request.request();

    QCOMPARE(m_keeper.renewals.load(), 1);
    QCOMPARE(server.requestCount(), 2);
    QCOMPARE(request.result(), QString::fromLatin1(kSignInPage));
    QVERIFY(request.isResponseValid());
}

QTEST_GUILESS_MAIN(TestHttpRequest)
#include "tst_httprequest.moc"

void TestHttpRequest::prefetchAnswersOnlyItsOwnExchangeOnce_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("sent"); // requests the server saw once the request is done
    QTest::addColumn<int>("sentAgain"); // and once page 1 was asked once more

    const QByteArray rows = "<html><table class=\"tl\"><tr><td>row</td></tr></table></html>";
    // Page 1 asked once more goes to the site when the prefetch was taken or dropped, and
    // takes it when the request before was for another page.
    QTest::newRow("the same page") << "/files/?page=1" << 200 << rows << 1 << 2;
    QTest::newRow("another page") << "/files/?page=2" << 200 << rows << 2 << 2;
    QTest::newRow("the sign-in page") << "/files/?page=1" << 200
                                      << QByteArray("<html><title>User log in - Tarnvale</title></html>") << 2 << 3;
    QTest::newRow("a failing status") << "/files/?page=1" << 503 << rows << 2 << 3;
}

void TestHttpRequest::prefetchAnswersOnlyItsOwnExchangeOnce()
{
    QFETCH(QString, asked);
    QFETCH(int, status);
    QFETCH(QByteArray, page);
    QFETCH(int, sent);
    QFETCH(int, sentAgain);
    LoopbackServer server;
    QVERIFY2(server.isListening(), qPrintable(server.error()));
    ReplyGate gate;
    auto first = std::make_shared<std::atomic<bool>>(true);
    server.setHandler([&gate, first, status, page](const httplib::Request&, httplib::Response& response) {
        // The prefetch's answer waits for the test, so the request meets it under way.
        if (first->exchange(false))
            gate.hold(QStringLiteral("prefetch"));
        response.status = status;
        response.set_content(page.toStdString(), "text/html");
    });
    PagePrefetch::start(server.url(QStringLiteral("/files/?page=1")));
    QTRY_COMPARE(gate.held(), QStringList{QStringLiteral("prefetch")});

    HttpRequest request(server.url(asked));
    std::thread asking([&request] { request.request(); }); // may wait for the prefetch
    gate.release(QStringLiteral("prefetch"));
    asking.join();
    QCOMPARE(server.requestCount(), sent);
    QCOMPARE(request.statusCode(), status);
    HttpRequest again(server.url(QStringLiteral("/files/?page=1")));
    again.request();
    QCOMPARE(server.requestCount(), sentAgain);
    PagePrefetch::forget();
}
