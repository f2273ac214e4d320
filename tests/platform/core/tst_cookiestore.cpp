#include "LoopbackServer.h"
#include "platform/core/CookieStore.h"
#include "platform/core/UrlLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/stat.h>

Q_DECLARE_METATYPE(Cookie)

namespace {

Cookie makeCookie(const QString& name, const QString& domain, bool persistent)
{
    Cookie cookie;
    cookie.name = name;
    cookie.value = name + QStringLiteral("-value");
    cookie.domain = domain;
    if (persistent)
        cookie.expires = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 86400, Qt::UTC);
    return cookie;
}

QStringList names(const QList<Cookie>& cookies)
{
    QStringList list;
    for (const Cookie& cookie : cookies)
        list.append(cookie.name);
    list.sort();
    return list;
}

// A restart: the engine forgets everything, then reads the store's file again.
void restart(CookieStore& store, const QString& file)
{
    store.setStoragePath(QString());
    store.deleteAll();
    store.setStoragePath(file);
}

} // namespace

class TestCookieStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cookieComesBackAsSet_data();
    void cookieComesBackAsSet();
    void persistentCookiesSurviveRestart();
    void deleteOneCookieLeavesTheOthers();
    void cookiesForDomain();
    void cookiesStoredDuringLogOutsAreNeitherLostNorRevived();
    void unwritableFileIsReported();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TestCookieStore::init()
{
    m_file = m_dir.filePath(QStringLiteral("jar/cookies.txt"));
    QFile::remove(m_file);
    CookieStore::shared().setStoragePath(QString());
    CookieStore::shared().deleteAll();
}

void TestCookieStore::cleanup()
{
    CookieStore::shared().setStoragePath(QString());
    CookieStore::shared().deleteAll();
}

void TestCookieStore::cookieComesBackAsSet_data()
{
    QTest::addColumn<Cookie>("cookie");
    Cookie plain = makeCookie(QStringLiteral("uid"), QStringLiteral("www.tarnvale.org"), false);
    QTest::newRow("session, host only") << plain;
    Cookie domain = makeCookie(QStringLiteral("pass"), QStringLiteral(".tarnvale.org"), true);
    domain.httpOnly = true;
    domain.secure = true;
    domain.path = QStringLiteral("/files");
    QTest::newRow("persistent, domain, http-only, secure") << domain;
    Cookie empty = makeCookie(QStringLiteral("flag"), QStringLiteral("forum.tarnvale.org"), true);
    empty.value = QStringLiteral("");
    QTest::newRow("empty value") << empty;
}

void TestCookieStore::cookieComesBackAsSet()
{
    QFETCH(Cookie, cookie);
    CookieStore& store = CookieStore::shared();
    store.setCookie(cookie);
    const QList<Cookie> cookies = store.cookies();
    QCOMPARE(cookies.size(), 1);
    QCOMPARE(cookies.first().name, cookie.name);
    QCOMPARE(cookies.first().value, cookie.value);
    QCOMPARE(cookies.first().domain, cookie.domain);
    QCOMPARE(cookies.first().path, cookie.path);
    QCOMPARE(cookies.first().secure, cookie.secure);
    QCOMPARE(cookies.first().httpOnly, cookie.httpOnly);
    QCOMPARE(cookies.first().expires, cookie.expires);
}

// Cookies given by a server: the persistent ones are in the owner-only file and come back
// after a restart, the session one does not.
void TestCookieStore::persistentCookiesSurviveRestart()
{
    CookieStore& store = CookieStore::shared();
    store.setStoragePath(m_file);
    LoopbackServer server;
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "session=s1; Path=/");
        response.set_header("Set-Cookie", "uid=42; Max-Age=86400; Path=/; HttpOnly");
        response.set_content("ok", "text/plain");
    });
    UrlRequest request;
    request.url = server.url(QStringLiteral("/"));
    QVERIFY(UrlLoader::send(request).has_value());
    QCOMPARE(names(store.cookies()), (QStringList{QStringLiteral("session"), QStringLiteral("uid")}));

    struct stat st{};
    QCOMPARE(::stat(QFile::encodeName(m_file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);

    restart(store, m_file);
    const QList<Cookie> after = store.cookies();
    QCOMPARE(names(after), QStringList{QStringLiteral("uid")});
    QVERIFY(after.first().httpOnly);

    // What came back is sent again.
    QVERIFY(UrlLoader::send(request).has_value());
    QCOMPARE(server.requests().last().header("Cookie"), QByteArray("uid=42"));
}

void TestCookieStore::deleteOneCookieLeavesTheOthers()
{
    CookieStore& store = CookieStore::shared();
    store.setStoragePath(m_file);
    LoopbackServer server;
    const QString host = QStringLiteral("127.0.0.1");
    const Cookie doomed = makeCookie(QStringLiteral("a"), host, true);
    store.setCookie(doomed);
    store.setCookie(makeCookie(QStringLiteral("b"), host, true));
    store.setCookie(makeCookie(QStringLiteral("a"), QStringLiteral(".tarnvale.org"), true)); // same name elsewhere
    store.setCookie(makeCookie(QStringLiteral("c"), host, false));

    store.deleteCookie(doomed);
    QCOMPARE(names(store.cookies()), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(store.cookiesForDomain(host).size(), 2);

    UrlRequest request;
    request.url = server.url(QStringLiteral("/"));
    QVERIFY(UrlLoader::send(request).has_value());
    const QByteArray sent = server.requests().last().header("Cookie");
    QVERIFY2(!sent.contains("a="), sent.constData());
    QVERIFY2(sent.contains("b=b-value") && sent.contains("c=c-value"), sent.constData());

    restart(store, m_file);
    QCOMPARE(names(store.cookies()), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(store.cookiesForDomain(host).size(), 1);
}

void TestCookieStore::cookiesForDomain()
{
    CookieStore& store = CookieStore::shared();
    store.setCookie(makeCookie(QStringLiteral("site"), QStringLiteral(".tarnvale.org"), false));
    store.setCookie(makeCookie(QStringLiteral("www"), QStringLiteral("www.tarnvale.org"), false));
    store.setCookie(makeCookie(QStringLiteral("forum"), QStringLiteral("forum.tarnvale.org"), false));
    store.setCookie(makeCookie(QStringLiteral("other"), QStringLiteral("tarnvale.org.example"), false));
    QCOMPARE(names(store.cookiesForDomain(QStringLiteral("www.tarnvale.org"))),
             (QStringList{QStringLiteral("site"), QStringLiteral("www")}));
    QCOMPARE(names(store.cookiesForDomain(QStringLiteral(".tarnvale.org"))),
             (QStringList{QStringLiteral("forum"), QStringLiteral("site"), QStringLiteral("www")}));
}


void TestCookieStore::cookiesStoredDuringLogOutsAreNeitherLostNorRevived()
{
    // A worker keeps storing cookies of another host (one that stays, and one it replaces
    // by deleting the one before) while the site's cookies are logged out again and again.
    CookieStore& store = CookieStore::shared();
    constexpr int kRounds = 400;
    std::atomic<bool> done{false};
    std::thread worker([&store, &done] {
        for (int i = 0; i < kRounds; ++i) {
            store.setCookie(makeCookie(QStringLiteral("keep%1").arg(i), QStringLiteral("worker.localhost"), false));
            store.setCookie(makeCookie(QStringLiteral("temp%1").arg(i), QStringLiteral("worker.localhost"), false));
            if (i > 0)
                store.deleteCookie(makeCookie(QStringLiteral("temp%1").arg(i - 1), QStringLiteral("worker.localhost"), false));
        }
        done = true;
    });
    while (!done) {
        store.setCookie(makeCookie(QStringLiteral("uid"), QStringLiteral("site.localhost"), false));
        store.deleteCookies([](const Cookie& cookie) { return cookie.domain == QLatin1String("site.localhost"); });
    }
    worker.join();

    QStringList expected;
    for (int i = 0; i < kRounds; ++i)
        expected.append(QStringLiteral("keep%1").arg(i));
    expected.append(QStringLiteral("temp%1").arg(kRounds - 1));
    expected.sort();
    QCOMPARE(names(store.cookiesForDomain(QStringLiteral("worker.localhost"))), expected);
    QVERIFY(store.cookiesForDomain(QStringLiteral("site.localhost")).isEmpty());
}

void TestCookieStore::unwritableFileIsReported()
{
    // The jar's folder is a file: nothing can be written there.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CookieStore& store = CookieStore::shared();
    store.setStoragePath(m_dir.filePath(QStringLiteral("blocker/cookies.txt")));
    QVERIFY(!store.setCookie(makeCookie(QStringLiteral("uid"), QStringLiteral("www.tarnvale.org"), true)));
    QVERIFY(!store.persist());
    // Kept in memory all the same, and written once the file can be.
    QCOMPARE(names(store.cookies()), QStringList{QStringLiteral("uid")});
    QVERIFY(QFile::remove(blocker.fileName()));
    QVERIFY(QDir().mkpath(blocker.fileName()));
    QVERIFY(store.persist());
    QVERIFY(QFile(m_dir.filePath(QStringLiteral("blocker/cookies.txt"))).size() > 0);
}

QTEST_GUILESS_MAIN(TestCookieStore)
#include "tst_cookiestore.moc"
