#include "FakeKeychain.h"

#include "platform/core/SecretStore.h"
#include "platform/core/SettingsStore.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

QByteArray fileText(const SettingsStore& file)
{
    QFile in(file.fileName());
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

class TestSecretSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void startMovesPlainPasswords_data();
    void startMovesPlainPasswords();
    void refusingKeychainLosesNothing();
    void noKeychainKeepsTheOwnerOnlyFile();
    void writeBeforeTheFirstAnswer_data();
    void writeBeforeTheFirstAnswer();
    void quitBeforeTheKeychainAnswers();
    void formSavedBeforeASlowAnswer_data();
    void formSavedBeforeASlowAnswer();
    void writesGoOneAtATimeNewestLast();

private:
    std::unique_ptr<SettingsStore> m_file;
    std::shared_ptr<KeychainContents> m_keychain;
    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestSecretSettings::init()
{
    m_file = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
    m_keychain = std::make_shared<KeychainContents>();
}

void TestSecretSettings::startMovesPlainPasswords_data()
{
    QTest::addColumn<QString>("inKeychain"); // null: no entry
    QTest::addColumn<QString>("inFile");     // null: no key
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("writes");
    const QString none;
    const auto row = [](const char* name, const QString& inKeychain, const QString& inFile, const QString& expected,
                        int writes) { QTest::newRow(name) << inKeychain << inFile << expected << writes; };
    const auto text = [](const char* value) { return QString::fromLatin1(value); };
    row("plain only: moved", none, text("plain"), text("plain"), 1);
    row("keychain only", text("kept"), none, text("kept"), 0);
    row("plain is newer than the keychain", text("older"), text("plain"), text("plain"), 1);
    row("both alike: the plain copy goes", text("same"), text("same"), text("same"), 0);
    row("empty plain text is a value", text("older"), text(""), text(""), 1);
    row("neither", none, none, none, 0);
}

// Both passwords, as an older version left them in the file, end in the keychain only.
void TestSecretSettings::startMovesPlainPasswords()
{
    QFETCH(QString, inKeychain);
    QFETCH(QString, inFile);
    QFETCH(QString, expected);
    QFETCH(int, writes);
    for (const QString& key : SecretSettings::keys()) {
        if (!inKeychain.isNull())
            m_keychain->entries.insert(key, inKeychain);
        if (!inFile.isNull())
            m_file->setString(key, inFile);
    }
    m_file->setString(SettingsKeys::username, QStringLiteral("someone"));
    m_file->synchronize();

    SecretSettings secrets(*m_file);
    secrets.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Works));
    QVERIFY(secrets.waitUntilLoaded(10s));
    QCOMPARE(secrets.mode(), SecretSettings::Mode::Keychain);
    secrets.finish(10s);

    for (const QString& key : SecretSettings::keys()) {
        QCOMPARE(secrets.value(key), expected);
        QCOMPARE(secrets.value(key).isNull(), expected.isNull());
        QCOMPARE(m_keychain->entries.value(key), expected);
        QVERIFY(!m_file->contains(key));
    }
    QCOMPARE(m_keychain->writes, 2 * writes);
    QCOMPARE(m_file->stringForKey(SettingsKeys::username), QStringLiteral("someone"));
    if (!inFile.isEmpty())
        QVERIFY(!fileText(*m_file).contains(inFile.toUtf8()));
}

// A keychain that will not take a password leaves it in the file, the old one and a newly
// typed one alike, and a later start with a working keychain moves it.
void TestSecretSettings::refusingKeychainLosesNothing()
{
    m_file->setString(SettingsKeys::serverPassword, QStringLiteral("old"));
    m_file->synchronize();
    {
        SecretSettings secrets(*m_file);
        secrets.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::RefusesWrites));
        QVERIFY(secrets.waitUntilLoaded(10s));
        secrets.finish(10s);
        QCOMPARE(secrets.value(SettingsKeys::serverPassword), QStringLiteral("old"));
        QCOMPARE(m_file->stringForKey(SettingsKeys::serverPassword), QStringLiteral("old"));

        secrets.setValue(SettingsKeys::password, QStringLiteral("typed"));
        QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("typed"));
        secrets.finish(10s);
        QCOMPARE(m_file->stringForKey(SettingsKeys::password), QStringLiteral("typed"));
    }
    QVERIFY(m_keychain->entries.isEmpty());

    SecretSettings later(*m_file);
    later.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Works));
    QVERIFY(later.waitUntilLoaded(10s));
    later.finish(10s);
    QCOMPARE(m_keychain->entries.value(SettingsKeys::serverPassword), QStringLiteral("old"));
    QCOMPARE(m_keychain->entries.value(SettingsKeys::password), QStringLiteral("typed"));
    QVERIFY(!m_file->contains(SettingsKeys::serverPassword));
    QVERIFY(!m_file->contains(SettingsKeys::password));
}

// With no keychain the file stays the store: read and written through, owner-only.
void TestSecretSettings::noKeychainKeepsTheOwnerOnlyFile()
{
    m_file->setString(SettingsKeys::password, QStringLiteral("old"));
    m_file->synchronize();
    SecretSettings secrets(*m_file);
    secrets.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Unavailable));
    QVERIFY(secrets.waitUntilLoaded(10s));
    QCOMPARE(secrets.mode(), SecretSettings::Mode::SettingsFile);
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("old"));
    QVERIFY(secrets.value(SettingsKeys::serverPassword).isNull());

    secrets.setValue(SettingsKeys::serverPassword, QStringLiteral("remote"));
    QCOMPARE(SettingsStore(m_file->fileName()).stringForKey(SettingsKeys::serverPassword), QStringLiteral("remote"));
    const QFileDevice::Permissions permissions = QFile::permissions(m_file->fileName());
    QVERIFY(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(!(permissions & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                             | QFileDevice::WriteOther)));
    QCOMPARE(m_keychain->writes, 0);
}

void TestSecretSettings::writeBeforeTheFirstAnswer_data()
{
    QTest::addColumn<bool>("available");
    QTest::newRow("keychain answers") << true;
    QTest::newRow("no keychain") << false;
}

// A password typed (or set by the demo) while the keychain has not answered yet is read back
// at once and, once the answer is in, kept wherever the passwords go.
void TestSecretSettings::writeBeforeTheFirstAnswer()
{
    QFETCH(bool, available);
    m_keychain->entries.insert(SettingsKeys::password, QStringLiteral("stale"));
    SecretSettings secrets(*m_file);
    auto keychain = std::make_unique<FakeKeychain>(
        m_keychain, available ? FakeKeychain::Behaviour::Works : FakeKeychain::Behaviour::Unavailable, true);
    FakeKeychain* held = keychain.get();
    secrets.start(std::move(keychain));
    QCOMPARE(secrets.mode(), SecretSettings::Mode::Probing);

    secrets.setValue(SettingsKeys::password, QStringLiteral("typed"));
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("typed"));
    QVERIFY(!m_file->contains(SettingsKeys::password));

    held->release();
    QVERIFY(secrets.waitUntilLoaded(10s));
    secrets.finish(10s);
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("typed"));
    if (available) {
        QCOMPARE(m_keychain->entries.value(SettingsKeys::password), QStringLiteral("typed"));
        QVERIFY(!m_file->contains(SettingsKeys::password));
    } else {
        QCOMPARE(m_file->stringForKey(SettingsKeys::password), QStringLiteral("typed"));
    }
}

// Quitting while the keychain owes its answers leaves the newest password in the file.
void TestSecretSettings::quitBeforeTheKeychainAnswers()
{
    SecretSettings secrets(*m_file);
    secrets.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Works, true));
    QVERIFY(!secrets.waitUntilLoaded(0ms));
    secrets.setValue(SettingsKeys::serverPassword, QStringLiteral("typed"));
    secrets.finish(0ms);
    QCOMPARE(SettingsStore(m_file->fileName()).stringForKey(SettingsKeys::serverPassword), QStringLiteral("typed"));
}

void TestSecretSettings::formSavedBeforeASlowAnswer_data()
{
    QTest::addColumn<QString>("inFile"); // null: no key
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing in the file: the keychain's stays") << QString() << QStringLiteral("secret");
    QTest::newRow("an older plain copy still moves") << QStringLiteral("plain") << QStringLiteral("plain");
}

// A keychain that answers after the start has stopped waiting (a locked keyring asking the
// user): a form filled before the answer saves back what it was given, and that must neither
// erase the keychain's password nor hide it from the form, which hears when it is known.
void TestSecretSettings::formSavedBeforeASlowAnswer()
{
    QFETCH(QString, inFile);
    QFETCH(QString, expected);
    m_keychain->entries.insert(SettingsKeys::password, QStringLiteral("secret"));
    if (!inFile.isNull()) {
        m_file->setString(SettingsKeys::password, inFile);
        m_file->synchronize();
    }
    SecretSettings secrets(*m_file);
    auto keychain = std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Works, true);
    FakeKeychain* held = keychain.get();
    secrets.start(std::move(keychain));
    QVERIFY(!secrets.waitUntilLoaded(0ms));
    QVERIFY(!secrets.isLoaded(SettingsKeys::password));
    QObject form;
    bool heard = false;
    secrets.whenLoaded(SettingsKeys::password, &form, [&heard] { heard = true; });

    const QString shown = secrets.value(SettingsKeys::password);
    secrets.setValue(SettingsKeys::password, shown.isNull() ? QStringLiteral("") : shown);
    QCoreApplication::processEvents();
    QVERIFY(!heard);

    held->release();
    QTRY_VERIFY(heard);
    QVERIFY(secrets.isLoaded(SettingsKeys::password));
    QCOMPARE(secrets.value(SettingsKeys::password), expected);
    // The form saves again, now with the answer: nothing changes.
    secrets.setValue(SettingsKeys::password, secrets.value(SettingsKeys::password));
    secrets.finish(10s);
    QCOMPARE(m_keychain->entries.value(SettingsKeys::password), expected);
    QVERIFY(!m_file->contains(SettingsKeys::password));

    // Asked once the password is known, the call comes all the same; never for a form gone.
    bool late = false;
    secrets.whenLoaded(SettingsKeys::password, &form, [&late] { late = true; });
    QTRY_VERIFY(late);
    bool orphan = false;
    {
        QObject gone;
        secrets.whenLoaded(SettingsKeys::password, &gone, [&orphan] { orphan = true; });
    }
    QCoreApplication::processEvents();
    QVERIFY(!orphan);
}

// Writes made in a row reach the keychain one after the other and the newest stays.
void TestSecretSettings::writesGoOneAtATimeNewestLast()
{
    SecretSettings secrets(*m_file);
    secrets.start(std::make_unique<FakeKeychain>(m_keychain, FakeKeychain::Behaviour::Works));
    QVERIFY(secrets.waitUntilLoaded(10s));
    for (const char* typed : {"a", "ab", "abc"})
        secrets.setValue(SettingsKeys::password, QString::fromLatin1(typed));
    QCOMPARE(secrets.value(SettingsKeys::password), QStringLiteral("abc"));
    secrets.finish(10s);
    QCOMPARE(m_keychain->entries.value(SettingsKeys::password), QStringLiteral("abc"));
    QCOMPARE(m_keychain->mostInFlight, 1);
    QVERIFY(!m_file->contains(SettingsKeys::password));
}

QTEST_GUILESS_MAIN(TestSecretSettings)
#include "tst_secretsettings.moc"
