#include "platform/core/SettingsStore.h"
#include "platform/keychain/KeychainSecretStore.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

// The passwords against a real keychain. Without one (no session bus) the settings file stays
// their store; with gnome-keyring running on a private session bus (with-keyring.sh sets
// ITARNVALE_TEST_KEYRING) they move into it and leave the file.
class TestKeychain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void withoutSecretService();
    void withGnomeKeyring();

private:
    QString newFile();
    QByteArray fileText(const QString& file);

    QTemporaryDir m_dir;
    int m_files = 0;
    bool m_keyring = false;
    // A service of the test's own: the user's entries are never touched.
    const QString m_service = QStringLiteral("iTarnvale test %1").arg(QCoreApplication::applicationPid());
};

void TestKeychain::initTestCase()
{
    m_keyring = qEnvironmentVariableIsSet("ITARNVALE_TEST_KEYRING");
    if (!m_keyring) {
        // A bus address that leads nowhere: no secret service, whatever the desktop runs.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(m_dir.filePath(QStringLiteral("no-bus"))));
    }
}

QString TestKeychain::newFile()
{
    return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files));
}

QByteArray TestKeychain::fileText(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void TestKeychain::withoutSecretService()
{
    if (m_keyring)
        QSKIP("a keychain runs");
    SettingsStore file(newFile());
    file.setString(SettingsKeys::password, QStringLiteral("old"));
    file.synchronize();

    SecretSettings secrets(file);
    secrets.start(std::make_unique<KeychainSecretStore>(m_service));
    QVERIFY(secrets.waitUntilLoaded(30s));
    QCOMPARE(secrets.mode(), SecretSettings::Mode::SettingsFile);
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("old"));
    secrets.setValue(SettingsKeys::serverPassword, QStringLiteral("remote"));
    QVERIFY(fileText(file.fileName()).contains("iTarnvale_serverPassword=remote"));
    QCOMPARE(QFile::permissions(file.fileName())
                 & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions());
}

void TestKeychain::withGnomeKeyring()
{
    if (!m_keyring)
        QSKIP("no keychain; tests/keychain/with-keyring.sh runs this with gnome-keyring");
    const QString firstFile = newFile();
    {
        SettingsStore file(firstFile);
        file.setString(SettingsKeys::password, QStringLiteral("site-secret"));
        file.setString(SettingsKeys::serverPassword, QStringLiteral("remote-secret"));
        file.setString(SettingsKeys::username, QStringLiteral("someone"));
        file.synchronize();

        SecretSettings secrets(file);
        secrets.start(std::make_unique<KeychainSecretStore>(m_service));
        QVERIFY(secrets.waitUntilLoaded(30s));
        QCOMPARE(secrets.mode(), SecretSettings::Mode::Keychain);
        QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("site-secret"));
        secrets.finish(30s);
        const QByteArray text = fileText(firstFile);
        QVERIFY(!text.contains("secret"));
        QVERIFY(text.contains("someone"));
    }
    // The next start finds them in the keychain; a new password replaces the old there.
    {
        SettingsStore file(firstFile);
        SecretSettings secrets(file);
        secrets.start(std::make_unique<KeychainSecretStore>(m_service));
        QVERIFY(secrets.waitUntilLoaded(30s));
        QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("site-secret"));
        QCOMPARE(secrets.value(SettingsKeys::serverPassword), QStringLiteral("remote-secret"));
        secrets.setValue(SettingsKeys::password, QStringLiteral("new-secret"));
        secrets.finish(30s);
        QVERIFY(!fileText(firstFile).contains("secret"));
    }
    SettingsStore file(firstFile);
    SecretSettings secrets(file);
    secrets.start(std::make_unique<KeychainSecretStore>(m_service));
    QVERIFY(secrets.waitUntilLoaded(30s));
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("new-secret"));
}

QTEST_GUILESS_MAIN(TestKeychain)
#include "tst_keychain.moc"
