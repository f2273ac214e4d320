// The sign-in form as sent, and what a sign-in answer does to the shared UserInfo.
#include "LoopbackServer.h"

#include "platform/core/CookieStore.h"
#include "site/FetchPageCaptcha.h"
#include "site/FetchPageSignIn.h"
#include "site/HttpRequestRegExUserInfo.h"
#include "site/UserInfo.h"

#include <QTest>
#include <QUrlQuery>

class TestSignIn : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<HttpRequest> signIn(const QUrl& url, const QString& user, const QString& password)
    {
        std::shared_ptr<HttpRequest> delivered;
        QObject context;
        FetchPageSignIn operation(url, user, password, QString(), QString(),
                                  Callback<std::shared_ptr<HttpRequest>>(
                                      &context, [&](std::shared_ptr<HttpRequest> r) { delivered = r; }));
        operation.setDeliversOnWorkerThread(true);
        operation.main();
        return delivered;
    }

private Q_SLOTS:
    void init()
    {
        CookieStore::shared().deleteAll();
        UserInfo::sharedInstance().setIds(QStringLiteral("7"));
        UserInfo::sharedInstance().setUsername(QStringLiteral("before"));
    }

    void formBody_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("challenge");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("body");

        QTest::newRow("plain, no challenge")
            << "demo" << "tarnvale" << "" << ""
            << "nickname=demo&password=tarnvale&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=";
        // A challenge-less form ignores a stray answer.
        QTest::newRow("answer without challenge")
            << "demo" << "pw" << "" << "river 12"
            << "nickname=demo&password=pw&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=";
        QTest::newRow("ampersand and space in password and name")
            << "R&D team" << "a&b c" << "" << ""
            << "nickname=R%26D%20team&password=a%26b%20c&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=";
        QTest::newRow("form characters in the name")
            << "x=1+2%" << "pw" << "" << ""
            << "nickname=x%3D1%2B2%25&password=pw&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=";
        QTest::newRow("non-ASCII name as UTF-8")
            << QString::fromUtf8("Zoë") << QString::fromUtf8("mañana") << "" << ""
            << "nickname=Zo%C3%AB&password=ma%C3%B1ana&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=";
        QTest::newRow("challenge, spaces of the answer as plus")
            << "demo" << "tarnvale" << "03AHJ_Vuv-x" << "  harbour 451 "
            << "nickname=demo&password=tarnvale&Submit=submit&returnpath=%2F%3Frel%3D1292368595&withq=1"
               "&re_ch=03AHJ_Vuv-x&validation=++harbour+451+";
        QTest::newRow("a typed plus is not a space")
            << "demo" << "tarnvale" << "c1" << "a+b c&d"
            << "nickname=demo&password=tarnvale&Submit=submit&returnpath=%2F%3Frel%3D1292368595&withq=1"
               "&re_ch=c1&validation=a%2Bb+c%26d";
    }

    void captchaChallengeIsEscapedInFormAndPicture()
    {
        // The challenge comes from another host's script: it must not add form fields or
        // query parameters of its own.
        const QString challenge = QStringLiteral("03A&withq=0&x y#z");
        QVERIFY(FetchPageSignIn::formBody(QStringLiteral("demo"), QStringLiteral("pw"), challenge, QStringLiteral("a"))
                    .endsWith(QStringLiteral("&re_ch=03A%26withq%3D0%26x%20y%23z&validation=a")));
        const QUrl picture(FetchPageCaptcha::imageUrl(QStringLiteral("captcha.example.net"), challenge));
        QCOMPARE(picture.host(), QStringLiteral("captcha.example.net"));
        QCOMPARE(QUrlQuery(picture).queryItemValue(QStringLiteral("c"), QUrl::FullyDecoded), challenge);
        QCOMPARE(QUrlQuery(picture).queryItems().size(), 1);
        QVERIFY(!picture.hasFragment());
    }

    void formBody()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, challenge);
        QFETCH(QString, answer);
        QFETCH(QString, body);
        QCOMPARE(FetchPageSignIn::formBody(user, password, challenge, answer), body);
    }

    void postCarriesHostRefererAndForm()
    {
        LoopbackServer server;
        server.setHandler([](const httplib::Request&, httplib::Response& res) {
            res.set_content("<html><head><title>Tarnvale</title></head><body><a href=\"/users/42\" class=\"user\">"
                            "<img src=\"/u.png\" border=\"0\">  neo \t</a></body></html>",
                            "text/html");
        });
        const QUrl url = server.url(QStringLiteral("/account_handler.php"));
        const auto answer = signIn(url, QStringLiteral("a&b"), QStringLiteral("c d"));
        QVERIFY(answer && answer->isResponseValid());
        const RecordedRequest sent = server.requests().constFirst();
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.header("Host"), server.hostAndPort().toUtf8());
        QCOMPARE(sent.header("Referer"), url.toString().toUtf8());
        QCOMPARE(sent.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(sent.body, QByteArray("nickname=a%26b&password=c%20d&Submit=submit&returnpath=%2F&withq=0"
                                       "&re_ch=&validation="));
        // A page that is not the sign-in page fills the user name, trimmed; no "uid" cookie
        // leaves the id as it was.
        QCOMPARE(UserInfo::sharedInstance().username(), QStringLiteral("neo"));
        QCOMPARE(UserInfo::sharedInstance().ids(), QStringLiteral("7"));
    }

    void signInPageLeavesUserInfo()
    {
        LoopbackServer server;
        server.setHandler([](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "uid=99; path=/");
            res.set_content("<title>User log in - Tarnvale</title><a href=\"/users/99\" class=\"user\" border=\"0\">x</a>",
                            "text/html");
        });
        const auto answer = signIn(server.url(QStringLiteral("/account_handler.php")), "demo", "wrong");
        QVERIFY(answer && answer->isResponseValid());
        QCOMPARE(UserInfo::sharedInstance().username(), QStringLiteral("before"));
        QCOMPARE(UserInfo::sharedInstance().ids(), QStringLiteral("7"));
    }

    void lastUidCookieWins()
    {
        Cookie first{QStringLiteral("uid"), QStringLiteral("111"), QStringLiteral("a.example"), QStringLiteral("/")};
        Cookie second{QStringLiteral("uid"), QStringLiteral("222"), QStringLiteral("b.example"), QStringLiteral("/")};
        CookieStore::shared().setCookie(first);
        CookieStore::shared().setCookie(second);
        const QList<Cookie> cookies = CookieStore::shared().cookies();
        QString last;
        for (const Cookie& cookie : cookies) {
            if (cookie.name == QLatin1String("uid"))
                last = cookie.value;
        }
        QCOMPARE(cookies.size(), 2);

        HttpRequestRegExUserInfo userInfo;
        userInfo.setPageData("<p>no profile link here</p>");
        userInfo.request();
        QCOMPARE(UserInfo::sharedInstance().ids(), last);
        QCOMPARE(UserInfo::sharedInstance().username(), QStringLiteral("before"));
        QCOMPARE(userInfo.userInfo(), &UserInfo::sharedInstance());
    }
};

QTEST_GUILESS_MAIN(TestSignIn)
#include "tst_signin.moc"
