// Signing in to the demo site over loopback with the app's own operations: good and wrong
// passwords, the captcha the site then demands (read back from the demo), the session
// cookies, and the member pages the app's parsers and cleaners read.
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"

#include "platform/core/CookieStore.h"
#include "platform/core/UrlLoader.h"
#include "site/FetchPageAllFriends.h"
#include "site/FetchPageAllSnatchTorrents.h"
#include "site/FetchPageCaptcha.h"
#include "site/FetchPageLoginCheck.h"
#include "site/FetchPageSignIn.h"
#include "site/HttpRequestRegExDetails.h"
#include "site/HttpRequestRegExForum.h"
#include "site/HttpRequestRegExPm.h"
#include "site/HttpRequestRegExProfileDetails.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"

#include <QImage>
#include <QTest>

namespace {

// Runs an operation on this thread and returns what it delivers.
template <typename Operation, typename... Args>
typename Operation::ResultType run(Args&&... args)
{
    using Result = typename Operation::ResultType;
    Result delivered{};
    QObject context;
    Operation operation(std::forward<Args>(args)...,
                        Callback<Result>(&context, [&delivered](Result r) { delivered = std::move(r); }));
    operation.setDeliversOnWorkerThread(true);
    operation.main();
    return delivered;
}

const QString kWrongPassword = QStringLiteral("<b>Error:</b> Erroneous password or validation code");
const QString kMissingCaptcha = QStringLiteral("<b>Error:</b> Please fill the validation code field");

} // namespace

class TestDemoSignIn : public QObject
{
    Q_OBJECT

private:
    DemoSite m_site;

    std::shared_ptr<HttpRequest> signIn(const QString& user, const QString& password,
                                        const QString& challenge = QString(), const QString& answer = QString())
    {
        return run<FetchPageSignIn>(SiteHosts::loginUrl(), user, password, challenge, answer);
    }

    QString page(const QString& path)
    {
        HttpRequest request(SiteHosts::webUrl(path));
        request.request();
        return request.result();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        SiteHosts::setFilmDatabaseHost(QStringLiteral("www.filmdatabase.example"));
    }

    void init()
    {
        CookieStore::shared().deleteAll();
        m_site.accounts().setCaptchaDemanded(false);
    }

    void goodPasswordOpensSession_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("shown"); // the name as the page header writes it
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("demo") << "demo" << "tarnvale" << "1001" << "demo"
                              << QByteArray("nickname=demo&password=tarnvale&Submit=submit&returnpath=%2F&withq=0"
                                            "&re_ch=&validation=");
        // Before the name was escaped, this one split into extra form fields.
        QTest::newRow("form characters") << "R&D=50+50%" << "p&ss w=rd+%" << "3110" << "R&amp;D=50+50%"
                                         << QByteArray("nickname=R%26D%3D50%2B50%25&password=p%26ss%20w%3Drd%2B%25"
                                                       "&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=");
    }

    void goodPasswordOpensSession()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, id);
        QFETCH(QString, shown);
        QFETCH(QByteArray, body);

        const auto before = run<FetchPageLoginCheck>(SiteHosts::loginUrl());
        QVERIFY(before && before->isResponseValid());
        QVERIFY(SiteHosts::isLoginHeader(before->result()));

        const auto answer = signIn(user, password);
        QCOMPARE(m_site.accounts().lastSignInBody(), body);
        QVERIFY(answer && answer->isResponseValid());
        QVERIFY(!SiteHosts::isLoginHeader(answer->result()));
        QCOMPARE(UserInfo::sharedInstance().username(), shown);
        QCOMPARE(UserInfo::sharedInstance().ids(), id);

        // The domain cookies, the uid among them, and the host-only one.
        QStringList names;
        for (const Cookie& cookie : CookieStore::shared().cookies())
            names << cookie.name + u'@' + cookie.domain;
        QVERIFY2(names.contains(QStringLiteral("uid@.tarnvale.localhost")), qPrintable(names.join(u' ')));
        QVERIFY2(names.contains(QStringLiteral("pass@.tarnvale.localhost")), qPrintable(names.join(u' ')));
        QVERIFY2(names.contains(QStringLiteral("PHPSESSID@www.tarnvale.localhost")), qPrintable(names.join(u' ')));

        const auto after = run<FetchPageLoginCheck>(SiteHosts::loginUrl());
        QVERIFY(after && after->isResponseValid());
        QVERIFY(!SiteHosts::isLoginHeader(after->result()));
        QVERIFY(!SiteHosts::isLoginHeader(page(QStringLiteral("/files/"))));

        // A session the site has ended: every page is the sign-in page again.
        m_site.accounts().expireAllSessions();
        QVERIFY(SiteHosts::isLoginHeader(page(QStringLiteral("/files/"))));
    }

    void wrongPasswordThenCaptcha()
    {
        const auto wrong = signIn(QStringLiteral("demo"), QStringLiteral("guess"));
        QVERIFY(wrong && wrong->isResponseValid());
        QVERIFY(SiteHosts::isLoginHeader(wrong->result()));
        QVERIFY(wrong->result().contains(kWrongPassword));
        QVERIFY(wrong->result().contains(QLatin1String("Validation code:")));

        // Even the right password needs the captcha now.
        const auto missing = signIn(QStringLiteral("demo"), QStringLiteral("tarnvale"));
        QVERIFY(missing->result().contains(kMissingCaptcha));

        const QMap<QString, QString> captcha = run<FetchPageCaptcha>(SiteHosts::loginUrl());
        const QString challenge = captcha.value(QStringLiteral("captchaChallenge"));
        QVERIFY(!challenge.isEmpty());
        QCOMPARE(captcha.value(QStringLiteral("image")),
                 QStringLiteral("http://%1/image?c=%2").arg(m_site.captchaHost(), challenge));
        const std::optional<QByteArray> png = UrlLoader::contentsOfUrl(QUrl(captcha.value(QStringLiteral("image"))));
        QVERIFY(png);
        const QImage picture = QImage::fromData(*png);
        QCOMPARE(picture.size(), QSize(300, 57));
        // Dark strokes of the words on the light background.
        int dark = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                dark += qGray(picture.pixel(x, y)) < 80;
        }
        QVERIFY2(dark > 300, qPrintable(QString::number(dark)));

        // The user types what the picture shows, with an extra blank.
        const QString words = m_site.accounts().challengeText(challenge);
        const auto good = signIn(QStringLiteral("demo"), QStringLiteral("tarnvale"), challenge,
                                 QString(words).replace(u' ', QLatin1String("  ")).toUpper());
        QVERIFY(good && good->isResponseValid());
        QVERIFY2(!SiteHosts::isLoginHeader(good->result()), qPrintable(m_site.accounts().lastSignInBody()));
        QVERIFY(m_site.accounts().lastSignInBody().contains("&withq=1&re_ch=" + challenge.toUtf8() + "&validation="));
        QCOMPARE(UserInfo::sharedInstance().ids(), QStringLiteral("1001"));
    }

    void wrongCaptchaAnswer()
    {
        m_site.accounts().setCaptchaAlwaysDemanded(true);
        const QMap<QString, QString> captcha = run<FetchPageCaptcha>(SiteHosts::loginUrl());
        const auto answer = signIn(QStringLiteral("demo"), QStringLiteral("tarnvale"),
                                   captcha.value(QStringLiteral("captchaChallenge")), QStringLiteral("not it"));
        m_site.accounts().setCaptchaAlwaysDemanded(false);
        QVERIFY(answer->result().contains(kWrongPassword));
    }

    // The member pages in the layouts the app's parsers and cleaners read.
    void memberPagesRead()
    {
        QVERIFY(!SiteHosts::isLoginHeader(signIn(QStringLiteral("demo"), QStringLiteral("tarnvale"))->result()));

        const auto snatched = run<FetchPageAllSnatchTorrents>(
            SiteHosts::webUrl(QStringLiteral("/user/account/snatchlist")),
            QStringLiteral("sEcho=1&iColumns=10&iDisplayStart=0&iDisplayLength=50&iSortCol_0=9&sSortDir_0=desc"
                           "&userID=1001"));
        QVERIFY(snatched);
        QCOMPARE(snatched->size(), 50);
        QVERIFY(snatched->first().detailsUrl().startsWith(QLatin1String("/torrent/")));
        QVERIFY(!snatched->first().ratio().isEmpty());

        const auto friends = run<FetchPageAllFriends>(SiteHosts::webUrl(QStringLiteral("/friends.php")));
        QVERIFY(friends);
        QCOMPARE(friends->size(), 5);
        QCOMPARE(friends->first().name(), QStringLiteral("trinity"));
        // The removal request takes a friend off the list.
        page(QStringLiteral("/friends.php?id=1001&action=delete&type=friend&targetid=815&sure=1"));
        QCOMPARE(run<FetchPageAllFriends>(SiteHosts::webUrl(QStringLiteral("/friends.php")))->size(), 4);

        // A film's details page: cut, without advertising, with its film database link.
        const DemoTorrent* film = nullptr;
        for (const DemoTorrent& t : m_site.catalog().torrents()) {
            if (t.category == QLatin1String("1")) {
                film = &t;
                break;
            }
        }
        QVERIFY(film);
        HttpRequestRegExDetails details(SiteHosts::webUrl(QStringLiteral("/torrent/%1/x.html").arg(film->id)));
        details.request();
        QVERIFY(details.result().contains(QLatin1String(">Details for")));
        QVERIFY(!details.result().contains(QLatin1String("<iframe")));
        QVERIFY(!details.result().contains(QLatin1String("Sponsored links")));
        QVERIFY(details.imdb().startsWith(QLatin1String("http://www.filmdatabase.example/title/tt")));
        HttpRequestRegExDetails deleted(SiteHosts::webUrl(QStringLiteral("/torrent/999999/gone.html")));
        deleted.request();
        QVERIFY(deleted.result().contains(HttpRequestRegExDetails::kDeletedMessage));

        HttpRequestRegExProfileDetails profile(SiteHosts::webUrl(QStringLiteral("/users/4711")));
        profile.request();
        QVERIFY(profile.result().contains(QLatin1String("class=\"ctable_content\"")));
        QVERIFY(!profile.result().contains(QLatin1String("footer")));

        for (const QString receiver : {QStringLiteral("4711"), QStringLiteral("2302")}) {
            HttpRequestRegExPm pm(SiteHosts::webUrl(QStringLiteral("/sendmessage.php?receiver=") + receiver));
            pm.request();
            QVERIFY(pm.result().startsWith(QLatin1String("<head>")));
            QVERIFY(pm.result().contains(QLatin1String("name=\"msg\"")));
            QVERIFY(!pm.result().contains(QLatin1String("adbox")));
        }

        HttpRequestRegExForum forum(QUrl(QStringLiteral("http://%1/").arg(SiteHosts::forumHost())));
        forum.request();
        QVERIFY(forum.result().contains(QLatin1String("Tarnvale Forum (mobile)")));
    }
};

QTEST_MAIN(TestDemoSignIn)
#include "tst_demosignin.moc"
