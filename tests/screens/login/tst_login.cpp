// The login screen against the demo site on loopback: stored fields, the outcomes and their
// alerts, the captcha, the notice service's answers, the automatic sign-in over a session
// that is still good, the silent renewal's delivery, and the donation link.
#include "DemoAccounts.h"
#include "DemoNoticeService.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "LoopbackServer.h"
#include "ReplyGate.h"

#include "TestPictures.h"
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "screens/login/DonateViewController.h"
#include "screens/login/LoginViewController.h"
#include "settings/SettingsKeys.h"
#include "site/FetchPageCaptcha.h"
#include "site/HttpRequest.h"
#include "site/SiteHosts.h"
#include "views/InfoView.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrlQuery>

#include <atomic>
#include <memory>

namespace {

constexpr int kWait = 20000;

const QString kBadUser = QStringLiteral("Bad username, password or validation code.");
const QString kMissingCaptcha = QStringLiteral("Missing captcha image information.  Try again.");
const QString kCookies = QStringLiteral(
    "Unknown login error.  Verify you have cookies enabled.  Goto Settings->Safari->Accept Cookies.  "
    "Select 'From visited' or 'Always' and restart the app.");

AlertView* waitForAlert()
{
    if (!QTest::qWaitFor([] { return !AlertView::visibleAlerts().isEmpty(); }, kWait))
        return nullptr;
    return AlertView::visibleAlerts().constLast();
}

void dismissAlerts()
{
    for (AlertView* alert : AlertView::visibleAlerts())
        alert->dismissWithClickedButtonIndex(0, false);
    QTest::qWait(0);
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<LoginViewController> m_screen;
    QList<QUrl> m_browser;

    LoginViewController* makeScreen()
    {
        m_screen.reset();
        m_screen = std::make_unique<LoginViewController>(nullptr);
        m_window->addSubview(m_screen->view());
        m_window->makeKeyAndVisible();
        return m_screen.get();
    }

    void type(TextField* field, const QString& text)
    {
        field->clear();
        QTest::keyClicks(field, text);
    }

    // Signs in with the demo account on a fresh screen and goes past the default notice.
    void signInOnce()
    {
        LoginViewController* screen = makeScreen();
        QSignalSpy switched(screen, &LoginViewController::switchedView);
        type(screen->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        type(screen->password(), QString::fromLatin1(DemoSite::kDemoPassword));
        QTest::mouseClick(screen->loginBtn(), Qt::LeftButton);
        AlertView* alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->tag(), 1);
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
    }

    void save(QWidget* widget, const QString& name)
    {
        QVERIFY(saveTestPicture(widget->grab().toImage(), name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        DonateViewController::setBrowserHook([this](const QUrl& url) { m_browser.append(url); });
        m_window = std::make_unique<Window>();
    }

    void init()
    {
        DemoSiteSetup::forgetSignIn(m_site);
        m_site.accounts().setLastSignInBody(QByteArray());
        m_site.notice().reset();
        m_site.notice().clearRequests();
        m_browser.clear();
    }

    void cleanup()
    {
        dismissAlerts();
        m_screen.reset();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_site.stop();
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("phone");

        const QString login = QStringLiteral("<title>User log in - Tarnvale</title>");
        const QString desktop =
            QStringLiteral("Unknown login error.  The site's sign-in cookie was not kept.  iTarnvale keeps its cookies "
                           "in %1, which must be writable: check that file and its folder, then sign in again.")
                .arg(QDir::toNativeSeparators(CookieStore::shared().storagePath()));
        QTest::newRow("signed in") << "<title>Tarnvale</title>" << true << true << "" << false;
        QTest::newRow("wrong password")
            << login + "<b>Error:</b> Erroneous password or validation code Validation code:" << true << false << kBadUser
            << false;
        QTest::newRow("captcha empty")
            << login + "<b>Error:</b> Please fill the validation code field" << true << false << kMissingCaptcha << false;
        QTest::newRow("login page, no known error, phone") << login << true << false << kCookies << true;
        QTest::newRow("login page, no known error, desktop") << login << true << false << desktop << false;
        QTest::newRow("bad status on a good page") << "<title>Tarnvale</title>" << false << false << "Connection error."
                                                   << false;
        QTest::newRow("no answer") << "" << false << false << "Connection error." << false;
    }

    void outcomes()
    {
        QFETCH(QString, page);
        QFETCH(bool, valid);
        QFETCH(bool, success);
        QFETCH(QString, message);
        QFETCH(bool, phone);
        const LoginViewController::Outcome outcome = LoginViewController::outcomeFor(page, valid, phone);
        QCOMPARE(outcome.success, success);
        QCOMPARE(outcome.message, message);
    }

    void firstStartWaitsForTheUser()
    {
        LoginViewController* screen = makeScreen();
        QVERIFY(screen->username()->text().isEmpty());
        QVERIFY(screen->password()->text().isEmpty());
        QVERIFY(!screen->automaticLogin()->isOn());
        QVERIFY(!screen->isCaptchaOn());
        QVERIFY(screen->captchaView()->isHidden());
        QCOMPARE(screen->groupView()->pos(), LoginViewController::kGroupOriginPlain);
        QCOMPARE(screen->backgroundImageName(), QStringLiteral("loginBackShort.png"));

        screen->tryAutoLogin();
        // A sign-in would have queued its session check at once.
        QCOMPARE(screen->operationCount(), 0);
        QVERIFY(screen->loginBtn()->isEnabled());
        QVERIFY(AlertView::visibleAlerts().isEmpty());
        QVERIFY(m_site.accounts().lastSignInBody().isEmpty());
        QVERIFY(m_site.notice().requests().isEmpty());
        QVERIFY(!SettingsStore::standard().contains(SettingsKeys::username));
        save(m_window.get(), QStringLiteral("login-screen.png"));
    }

    void wrongPasswordThenCaptchaThenSuccess()
    {
        LoginViewController* screen = makeScreen();
        QSignalSpy switched(screen, &LoginViewController::switchedView);

        // Return walks from the user name to the password, and signs in from there.
        QTest::mouseClick(screen->automaticLogin(), Qt::LeftButton);
        QVERIFY(screen->automaticLogin()->isOn());
        screen->username()->becomeFirstResponder();
        QTest::keyClicks(screen->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        QTest::keyClick(screen->username(), Qt::Key_Return);
        QTRY_VERIFY(screen->password()->hasFocus());
        QVERIFY(m_site.accounts().lastSignInBody().isEmpty());
        QTest::keyClicks(screen->password(), QStringLiteral("wrong"));
        QTest::keyClick(screen->password(), Qt::Key_Return);
        QVERIFY(!screen->loginBtn()->isEnabled());
        AlertView* alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->title(), QStringLiteral("Login failed."));
        QCOMPARE(alert->message(), kBadUser);
        QCOMPARE(alert->cancelButtonTitle(), QStringLiteral("Cancel"));
        // Written at the attempt, whatever its outcome.
        SettingsStore& store = SettingsStore::standard();
        QCOMPARE(store.stringForKey(SettingsKeys::username), QStringLiteral("demo"));
        QCOMPARE(store.stringForKey(SettingsKeys::password), QStringLiteral("wrong"));
        QCOMPARE(store.stringForKey(SettingsKeys::automaticLogin), QStringLiteral("YES"));
        alert->dismissWithClickedButtonIndex(0, false);

        // The site now wants a captcha: the group shows with a picture and a challenge, and
        // the keyboard goes to its answer, the user name not left selected.
        QVERIFY(screen->isCaptchaOn());
        QTRY_VERIFY(screen->captcha()->hasFocus());
        QVERIFY(!screen->username()->hasSelectedText());
        QVERIFY(screen->captchaView()->isVisible());
        QCOMPARE(screen->backgroundImageName(), QStringLiteral("loginBack.png"));
        QTRY_COMPARE_WITH_TIMEOUT(screen->groupView()->pos(), LoginViewController::kGroupOriginWithCaptcha, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!screen->imageView()->image().isNull(), kWait);
        QVERIFY(screen->loginBtn()->isEnabled());
        QCOMPARE(screen->imageView()->cornerRadius(), 10.0);
        QVERIFY(screen->imageView()->clipsToBounds());

        // On a desktop there is no on-screen keyboard: a focused field and Return move nothing.
        screen->captcha()->becomeFirstResponder();
        QTRY_VERIFY(screen->captcha()->hasFocus());
        QTest::keyClick(screen->username(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(screen->scrollView()->contentOffset(), QPointF(0, 0));
        QCOMPARE(screen->groupView()->pos(), LoginViewController::kGroupOriginWithCaptcha);
        QVERIFY(!screen->isKeyboardVisible());
        screen->captcha()->resignFirstResponder();

        // With an input panel (a phone's), the captcha's keyboard scrolls the form up by 30 and
        // back.
        KeyboardNotifier::instance()->setSimulatedPanelHeight(216);
        screen->captcha()->becomeFirstResponder();
        QTRY_COMPARE_WITH_TIMEOUT(screen->scrollView()->contentOffset(), QPointF(0, 30), kWait);
        QVERIFY(screen->isKeyboardVisible());
        screen->captcha()->resignFirstResponder();
        QTRY_COMPARE_WITH_TIMEOUT(screen->scrollView()->contentOffset(), QPointF(0, 0), kWait);
        QVERIFY(!screen->isKeyboardVisible());
        KeyboardNotifier::instance()->setSimulatedPanelHeight(0);
        save(m_window.get(), QStringLiteral("login-captcha.png"));

        // Left empty, the captcha is refused on its own.
        type(screen->password(), QString::fromLatin1(DemoSite::kDemoPassword));
        QTest::mouseClick(screen->loginBtn(), Qt::LeftButton);
        alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->message(), kMissingCaptcha);
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(screen->loginBtn()->isEnabled() && !screen->captchaChallenge().isEmpty(), kWait);
        QVERIFY(screen->isCaptchaOn());
        QTRY_COMPARE_WITH_TIMEOUT(screen->operationCount(), 0, kWait); // the new picture is in
        // An answer typed for one picture goes when another is asked for.
        QTest::keyClicks(screen->captcha(), QStringLiteral("stale"));
        screen->reloadCaptchaImage();
        QVERIFY(screen->captcha()->text().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(screen->loginBtn()->isEnabled() && !screen->captchaChallenge().isEmpty(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(screen->operationCount(), 0, kWait);

        // With the captcha showing, return in the password field moves on to the captcha.
        screen->password()->becomeFirstResponder();
        QTest::keyClick(screen->password(), Qt::Key_Return);
        QTRY_VERIFY(screen->captcha()->hasFocus());
        QCOMPARE(screen->operationCount(), 0); // no sign-in was started
        QVERIFY(AlertView::visibleAlerts().isEmpty());
        QVERIFY(screen->loginBtn()->isEnabled());
        const QString words = m_site.accounts().challengeText(screen->captchaChallenge());
        QVERIFY(!words.isEmpty());
        QTest::keyClicks(screen->captcha(), words);
        // Return in the answer signs in.
        QTest::keyClick(screen->captcha(), Qt::Key_Return);

        // The default notice: an empty title and the welcome; the tab bar only after "OK".
        alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->title(), QStringLiteral(""));
        QCOMPARE(alert->message(), QString::fromUtf8(DemoNoticeService::kDefaultAnswer).section(QLatin1Char(':'), 1, 1));
        QCOMPARE(alert->cancelButtonTitle(), QStringLiteral("OK"));
        QCOMPARE(switched.count(), 0);
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
        QVERIFY(!screen->isCaptchaOn());
        QCOMPARE(screen->groupView()->pos(), LoginViewController::kGroupOriginPlain);
        QCOMPARE(screen->captchaChallenge(), QStringLiteral(""));
        QVERIFY(screen->captcha()->text().isEmpty());
        QCOMPARE(store.stringForKey(SettingsKeys::password), QString::fromLatin1(DemoSite::kDemoPassword));

        // The notice service was asked for this build and device, values as they are.
        const QStringList asked = m_site.notice().requests();
        QCOMPARE(asked.size(), 1);
        QString model = Device::model();
        model.remove(QLatin1Char(' '));
        const QUrlQuery query(asked.constFirst());
        QCOMPARE(query.queryItemValue(QStringLiteral("v")), Bundle::buildVersion());
        QCOMPARE(query.queryItemValue(QStringLiteral("m")), model);
        QCOMPARE(query.queryItemValue(QStringLiteral("p")), Device::systemVersion());
    }

    void backgroundByDevice_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("withCaptcha");
        QTest::newRow("phone") << int(Device::Kind::Phone) << "loginBackShort.png" << "loginBack.png";
        QTest::newRow("tall phone") << int(Device::Kind::Phone568) << "loginBackShort5.png" << "loginBack5.png";
        QTest::newRow("tablet") << int(Device::Kind::Tablet) << "loginBackShortIpad.png" << "loginBackShortIpad.png";
    }

    void backgroundByDevice()
    {
        QFETCH(int, kind);
        QFETCH(QString, plain);
        QFETCH(QString, withCaptcha);
        Device::setKind(Device::Kind(kind));
        m_site.accounts().setCaptchaDemanded(true); // the sign-in page carries the captcha
        m_screen.reset();
        m_window = std::make_unique<Window>();
        LoginViewController* screen = makeScreen();
        QCOMPARE(screen->view()->size(), Device::screenBounds().size());
        QCOMPARE(screen->backgroundImageName(), plain);
        // The information button stands in the screen's bottom right corner on every device,
        // 8 points from both edges as on the phone, not in the middle column's corner.
        const QRect info(screen->infoBtn()->mapTo(screen->view(), QPoint()), screen->infoBtn()->size());
        QCOMPARE(QPoint(screen->view()->width() - 1 - info.right(), screen->view()->height() - 1 - info.bottom()), QPoint(8, 8));
        screen->showCaptchaView();
        QCOMPARE(screen->backgroundImageName(), withCaptcha);
        QTRY_VERIFY_WITH_TIMEOUT(!screen->imageView()->image().isNull(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(screen->groupView()->pos(), LoginViewController::kGroupOriginWithCaptcha, kWait);
        if (Device::Kind(kind) != Device::Kind::Phone)
            save(screen->view(), QStringLiteral("login-captcha-%1.png").arg(QTest::currentDataTag()).replace(' ', '-'));
        screen->hideCaptchaView();
        QCOMPARE(screen->backgroundImageName(), plain);
        QCOMPARE(screen->groupView()->pos(), LoginViewController::kGroupOriginPlain);
        m_screen.reset();
        Device::setKind(Device::Kind::Phone);
        m_window = std::make_unique<Window>();
    }

    void infoViewFlipsInAndOut()
    {
        LoginViewController* screen = makeScreen();
        QTest::mouseClick(screen->infoBtn(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(screen->infoView()->isVisible(), kWait);
        QCOMPARE(screen->infoView()->versionLbl()->text(), Bundle::buildVersion());
        save(m_window.get(), QStringLiteral("login-info.png"));
        QTest::mouseClick(screen->infoView()->returnBtn(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!screen->infoView()->isVisible(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->loginBtn()->isVisible(), kWait);
    }

    void noticeAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("delay");
        QTest::addColumn<QString>("title");   // null: no alert
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("handedOver");

        QTest::newRow("GO, message up to its colon")
            << "GO:Hello: and more" << 200 << 0 << "" << "Hello" << true;
        QTest::newRow("STOP keeps the login screen")
            << "STOP:Please update iTarnvale." << 200 << 0 << "Login error" << "Please update iTarnvale." << false;
        QTest::newRow("empty answer") << "" << 200 << 0 << QString() << QString() << true;
        QTest::newRow("bare word") << "MAYBE" << 200 << 0 << QString() << QString() << true;
        QTest::newRow("HTML page") << "<html><body>Not found: here</body></html>" << 200 << 0 << QString() << QString() << true;
        QTest::newRow("lower case stop is another word") << "stop:no" << 200 << 0 << QString() << QString() << true;
        QTest::newRow("bad status") << "STOP:down" << 500 << 0 << QString() << QString() << true;
        QTest::newRow("slower than three seconds") << "STOP:late" << 200 << 5000 << QString() << QString() << true;
    }

    void noticeAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, status);
        QFETCH(int, delay);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(bool, handedOver);

        DemoNoticeService& notice = m_site.notice();
        notice.setAnswer(answer);
        notice.setStatus(status);
        notice.setDelayMilliseconds(delay);

        LoginViewController* screen = makeScreen();
        QSignalSpy switched(screen, &LoginViewController::switchedView);
        type(screen->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        type(screen->password(), QString::fromLatin1(DemoSite::kDemoPassword));
        QTest::mouseClick(screen->loginBtn(), Qt::LeftButton);

        if (title.isNull()) {
            QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
            QVERIFY(AlertView::visibleAlerts().isEmpty());
            return;
        }
        AlertView* alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->title(), title);
        QCOMPARE(alert->message(), message);
        QCOMPARE(alert->cancelButtonTitle(), QStringLiteral("OK"));
        QCOMPARE(screen->loginBtn()->isEnabled(), !handedOver);
        alert->dismissWithClickedButtonIndex(0, false);
        if (handedOver) {
            QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
            return;
        }
        // STOP left the session alone: the next tap passes the session check without a form
        // and asks the service again.
        notice.reset();
        m_site.accounts().setLastSignInBody(QByteArray());
        QTest::mouseClick(screen->loginBtn(), Qt::LeftButton);
        alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->tag(), 1);
        QCOMPARE(switched.count(), 0); // not from STOP's alert, up to the next notice
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
        QVERIFY(m_site.accounts().lastSignInBody().isEmpty());
        QCOMPARE(notice.requests().size(), 2);
    }

    void automaticSignInOverAGoodSessionPostsNoForm()
    {
        signInOnce();
        SettingsStore::standard().setString(SettingsKeys::automaticLogin, QStringLiteral("YES"));
        m_site.accounts().setLastSignInBody(QByteArray());
        m_site.notice().clearRequests();

        LoginViewController* screen = makeScreen();
        QSignalSpy switched(screen, &LoginViewController::switchedView);
        QVERIFY(screen->automaticLogin()->isOn());
        QCOMPARE(screen->username()->text(), QString::fromLatin1(DemoSite::kDemoUsername));
        screen->tryAutoLogin();
        AlertView* alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->tag(), 1);
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
        QVERIFY(m_site.accounts().lastSignInBody().isEmpty());
        QCOMPARE(m_site.notice().requests().size(), 1);
    }

    void renewalAnswerArrivesOnTheWorker()
    {
        LoginViewController* screen = makeScreen();
        type(screen->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        type(screen->password(), QString::fromLatin1(DemoSite::kDemoPassword));

        std::atomic<QThread*> thread{nullptr};
        std::shared_ptr<HttpRequest> answer;
        QObject target;
        // A renewal asks from a worker thread, as the HTTP layer does.
        QThread* asker = QThread::create([&] {
            screen->doLogin(nullptr, Callback<std::shared_ptr<HttpRequest>>(&target, [&](std::shared_ptr<HttpRequest> r) {
                                answer = r;
                                thread = QThread::currentThread();
                            }),
                            true);
        });
        asker->start();
        QVERIFY(asker->wait(kWait));
        delete asker;
        QTRY_VERIFY_WITH_TIMEOUT(thread.load() != nullptr, kWait);
        QVERIFY(thread.load() != QThread::currentThread());
        QVERIFY(answer && answer->isResponseValid());
        QVERIFY(!LoginViewController::isLoginHeader(answer->result()));
        QVERIFY(!m_site.accounts().lastSignInBody().isEmpty());
        QCOMPARE(SettingsStore::standard().stringForKey(SettingsKeys::automaticLogin), QStringLiteral("NO"));
        // No outcome, no alert and no notice for a renewal: once the sign-in has finished,
        // whatever it handed to the main thread is delivered by the next turn of the loop.
        QTRY_COMPARE_WITH_TIMEOUT(screen->operationCount(), 0, kWait);
        QCoreApplication::processEvents();
        QVERIFY(AlertView::visibleAlerts().isEmpty());
        QVERIFY(m_site.notice().requests().isEmpty());
    }

    // A captcha service that hangs and then fails: a session renewal does not wait behind it,
    // and after a few tries the screen says so and offers to try again.
    void captchaServiceDown()
    {
        ReplyGate gate;
        LoopbackServer service;
        const auto releaseFirst = qScopeGuard([&gate] { gate.releaseAll(); }); // before the server goes
        QVERIFY2(service.isListening(), qPrintable(service.error()));
        service.setHandler([&gate](const httplib::Request& request, httplib::Response& response) {
            gate.hold(QString::fromStdString(request.path));
            response.status = 503;
        });
        m_site.accounts().setCaptchaScriptHost(service.hostAndPort());
        SiteHosts::setCaptchaHost(service.hostAndPort());
        m_site.accounts().setCaptchaDemanded(true);

        LoginViewController* screen = makeScreen();
        type(screen->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        type(screen->password(), QString::fromLatin1(DemoSite::kDemoPassword));
        screen->showCaptchaView();
        QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("/challenge")}, kWait);
        QVERIFY(!screen->loginBtn()->isEnabled());

        // A renewal asks from a worker while the captcha hangs; its answer comes all the same.
        std::shared_ptr<HttpRequest> answer;
        QObject target;
        QThread* asker = QThread::create([&] {
            screen->doLogin(nullptr,
                            Callback<std::shared_ptr<HttpRequest>>(&target, [&](std::shared_ptr<HttpRequest> r) { answer = r; }),
                            true);
        });
        asker->start();
        QVERIFY(asker->wait(kWait));
        delete asker;
        QTRY_VERIFY_WITH_TIMEOUT(answer != nullptr, kWait);
        QVERIFY(answer->isResponseValid());
        QCOMPARE(gate.held(), QStringList{QStringLiteral("/challenge")});

        // The service fails every try: after a few the screen says so and stops trying.
        gate.releaseAll();
        QTRY_VERIFY_WITH_TIMEOUT(screen->captchaMessage()->isVisible(), kWait);
        QCOMPARE(screen->captchaMessage()->text(), QStringLiteral("The captcha image could not be loaded."));
        QVERIFY(screen->captchaRetryBtn()->isVisible());
        QCOMPARE(screen->captchaRetryBtn()->title(), QStringLiteral("Try again"));
        QVERIFY(screen->loginBtn()->isEnabled());
        QCOMPARE(screen->captchaChallenge(), QStringLiteral(""));
        QTRY_COMPARE_WITH_TIMEOUT(screen->operationCount(), 0, kWait);
        QCOMPARE(service.requestCount(), FetchPageCaptcha::kTries);
        save(m_window.get(), QStringLiteral("login-captcha-failed.png"));

        // The service is back: "Try again" brings a picture and a challenge.
        m_site.accounts().setCaptchaScriptHost(QString());
        SiteHosts::setCaptchaHost(m_site.captchaHost());
        QTest::mouseClick(screen->captchaRetryBtn(), Qt::LeftButton);
        QVERIFY(!screen->captchaMessage()->isVisible());
        QVERIFY(!screen->captchaRetryBtn()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!screen->imageView()->image().isNull() && !screen->captchaChallenge().isEmpty(), kWait);
        QVERIFY(screen->loginBtn()->isEnabled());
    }

    // The donation picture fills its place in the form; a tap hands the checkout page to
    // the system's browser, and the screen stays.
    void donateButtonGoesToTheBrowser()
    {
        LoginViewController* screen = makeScreen();
        QVERIFY(screen->donateViewController());
        Button* button = screen->donateViewController()->button();
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(80, 370, 160, 50));
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), kWait);

        const QImage drawn = button->grab().toImage();
        const QImage picture = Bundle::imageNamed(QStringLiteral("bitcoin.png"), 1.0).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.size() / drawn.devicePixelRatio(), picture.size());
        // The picture's opaque pixels are drawn where the picture has them.
        const QImage shown = drawn.convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < picture.height(); y += 5) {
            for (int x = 0; x < picture.width(); x += 5) {
                if (qAlpha(picture.pixel(x, y)) == 255) {
                    ++opaque;
                    QCOMPARE(QColor(shown.pixel(x, y)).rgb(), QColor(picture.pixel(x, y)).rgb());
                }
            }
        }
        QVERIFY(opaque > 20);

        QVERIFY(m_browser.isEmpty());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(80, 25));
        QCOMPARE(m_browser.size(), 1);
        QCOMPARE(m_browser.constFirst(), QUrl(SiteHosts::donateUrl()));
        QVERIFY(screen->view()->isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
