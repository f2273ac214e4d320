// The login screen over a keychain that answers only after the start has stopped waiting for
// it (a locked keyring that asks the user to unlock it): the automatic sign-in waits for the
// stored password, signs in with it, and never writes the empty field over it.
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FakeKeychain.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "screens/login/LoginViewController.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

constexpr int kWait = 20000;

AlertView* waitForAlert()
{
    if (!QTest::qWaitFor([] { return !AlertView::visibleAlerts().isEmpty(); }, kWait))
        return nullptr;
    return AlertView::visibleAlerts().constLast();
}

} // namespace

class TestSlowKeychain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_window = std::make_unique<Window>();
    }

    void cleanupTestCase()
    {
        for (AlertView* alert : AlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndex(0, false);
        m_window.reset();
        m_site.stop();
    }

    void automaticSignInWaitsForTheKeychain()
    {
        // The last run signed in with automatic sign-in on and left the password in the keychain.
        DemoSiteSetup::forgetSignIn(m_site);
        SettingsStore& store = SettingsStore::standard();
        store.setString(SettingsKeys::username, QString::fromLatin1(DemoSite::kDemoUsername));
        store.setString(SettingsKeys::automaticLogin, QStringLiteral("YES"));
        store.synchronize();
        auto contents = std::make_shared<KeychainContents>();
        const QString password = QString::fromLatin1(DemoSite::kDemoPassword);
        contents->entries.insert(SettingsKeys::password, password);

        // The start waits for the keychain and gives up before it answers.
        SecretSettings& secrets = SecretSettings::shared();
        auto keychain = std::make_unique<FakeKeychain>(contents, FakeKeychain::Behaviour::Works, true);
        FakeKeychain* locked = keychain.get();
        secrets.start(std::move(keychain));
        QVERIFY(!secrets.waitUntilLoaded(0ms));

        LoginViewController screen(nullptr);
        m_window->addSubview(screen.view());
        m_window->makeKeyAndVisible();
        QSignalSpy switched(&screen, &LoginViewController::switchedView);
        QVERIFY(screen.password()->text().isEmpty());
        screen.tryAutoLogin();
        // Nothing goes to the site with a password that is not known yet.
        QVERIFY(!screen.loginBtn()->isEnabled());
        QCOMPARE(screen.operationCount(), 0);

        // The user unlocks the keyring: the field takes the password and the sign-in goes on.
        locked->release();
        QTRY_COMPARE_WITH_TIMEOUT(screen.password()->text(), password, kWait);
        AlertView* alert = waitForAlert();
        QVERIFY(alert);
        QCOMPARE(alert->tag(), 1); // the notice after a good sign-in, not "Login failed."
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_COMPARE_WITH_TIMEOUT(switched.count(), 1, kWait);
        QVERIFY(m_site.accounts().lastSignInBody().contains("password=" + password.toUtf8()));

        secrets.finish(10s);
        QCOMPARE(contents->entries.value(SettingsKeys::password), password);
        QCOMPARE(contents->writes, 0);
        QVERIFY(!store.contains(SettingsKeys::password));
    }

private:
    QTemporaryDir m_dir;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
};

QTEST_MAIN(TestSlowKeychain)
#include "tst_slowkeychain.moc"
