#include "platform/core/SettingsStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesSurviveReopen_data();
    void valuesSurviveReopen();
    void absentDiffersFromEmpty();
    void wrongKindReadsAbsent();
    void ownerOnlyFileAndFolder();
    void standardStoreFollowsPath();
    void fileIsWrittenOnlyWhenFlushed();
    void flushThatCannotWriteSaysSo();
    void emptyLockOfAKilledWriterDoesNotHoldTheFlush();
};

// Each kind of value is written, flushed, and read back from a fresh store on the file.
void TestSettingsStore::valuesSurviveReopen_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::newRow("empty") << QStringList();
    QTest::newRow("one") << QStringList{QStringLiteral("Ubuntu")};
    QTest::newRow("one empty text") << QStringList{QString(QLatin1String(""))};
    QTest::newRow("several, with commas and quotes")
        << QStringList{QStringLiteral("a, b"), QStringLiteral("\"q\""), QStringLiteral("@x"),
                       QStringLiteral("\u00e9t\u00e9 \u2603")};
}

void TestSettingsStore::valuesSurviveReopen()
{
    QFETCH(QStringList, list);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.ini"));
    {
        SettingsStore store(file);
        store.setString(QStringLiteral("iTarnvale_text"), QStringLiteral("a=b; c, d \u00fc"));
        store.setString(QStringLiteral("iTarnvale_emptyText"), QString());
        store.setInteger(QStringLiteral("iTarnvale_number"), -42);
        store.setBool(QStringLiteral("iTarnvale_on"), true);
        store.setBool(QStringLiteral("iTarnvale_off"), false);
        store.setStringArray(QStringLiteral("iTarnvale_list"), list);
        QCOMPARE(store.stringArrayForKey(QStringLiteral("iTarnvale_list")), list);
        QVERIFY(store.synchronize());
    }
    SettingsStore store(file);
    QCOMPARE(store.stringForKey(QStringLiteral("iTarnvale_text")), QStringLiteral("a=b; c, d \u00fc"));
    const QString empty = store.stringForKey(QStringLiteral("iTarnvale_emptyText"));
    QVERIFY(!empty.isNull());
    QVERIFY(empty.isEmpty());
    QCOMPARE(store.integerForKey(QStringLiteral("iTarnvale_number")), std::optional<int>(-42));
    QCOMPARE(store.boolForKey(QStringLiteral("iTarnvale_on")), std::optional<bool>(true));
    QCOMPARE(store.boolForKey(QStringLiteral("iTarnvale_off")), std::optional<bool>(false));
    const std::optional<QStringList> read = store.stringArrayForKey(QStringLiteral("iTarnvale_list"));
    QVERIFY(read.has_value());
    QCOMPARE(*read, list);
}

void TestSettingsStore::absentDiffersFromEmpty()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.ini"));
    SettingsStore store(file);
    QVERIFY(store.stringForKey(QStringLiteral("missing")).isNull());
    QCOMPARE(store.integerForKey(QStringLiteral("missing")), std::nullopt);
    QCOMPARE(store.boolForKey(QStringLiteral("missing")), std::nullopt);
    QCOMPARE(store.stringArrayForKey(QStringLiteral("missing")), std::nullopt);

    store.setStringArray(QStringLiteral("history"), {QStringLiteral("x")});
    store.setStringArray(QStringLiteral("history"), {});
    store.remove(QStringLiteral("gone"));
    store.setString(QStringLiteral("gone"), QStringLiteral("v"));
    store.remove(QStringLiteral("gone"));
    QVERIFY(store.synchronize());

    SettingsStore reopened(file);
    QVERIFY(reopened.contains(QStringLiteral("history")));
    QCOMPARE(reopened.stringArrayForKey(QStringLiteral("history")), std::optional<QStringList>(QStringList()));
    QVERIFY(!reopened.contains(QStringLiteral("gone")));
    QVERIFY(reopened.stringForKey(QStringLiteral("gone")).isNull());
}

void TestSettingsStore::wrongKindReadsAbsent()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("s.ini")));
    store.setString(QStringLiteral("word"), QStringLiteral("twelve"));
    store.setStringArray(QStringLiteral("pair"), {QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(store.integerForKey(QStringLiteral("word")), std::nullopt);
    QCOMPARE(store.boolForKey(QStringLiteral("word")), std::nullopt);
    QVERIFY(store.stringForKey(QStringLiteral("pair")).isNull());
    QCOMPARE(store.integerForKey(QStringLiteral("pair")), std::nullopt);
}

void TestSettingsStore::ownerOnlyFileAndFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("new/conf"));
    const QString file = folder + QStringLiteral("/s.ini");
    SettingsStore store(file);
    store.setString(QStringLiteral("iTarnvale_password"), QStringLiteral("secret"));
    QVERIFY(store.synchronize());

    struct stat st{};
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
    QCOMPARE(::stat(QFile::encodeName(folder).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0700u);

    // A file someone widened is narrowed again on the next write.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    store.setString(QStringLiteral("iTarnvale_password"), QStringLiteral("other"));
    QVERIFY(store.synchronize());
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
}

void TestSettingsStore::standardStoreFollowsPath()
{
    QTemporaryDir dir;
    SettingsStore::setStandardPath(dir.filePath(QStringLiteral("a.ini")));
    SettingsStore& store = SettingsStore::standard();
    store.setInteger(QStringLiteral("k"), 1);
    QVERIFY(store.synchronize());
    SettingsStore::setStandardPath(dir.filePath(QStringLiteral("b.ini")));
    QCOMPARE(&SettingsStore::standard(), &store);
    QCOMPARE(store.fileName(), dir.filePath(QStringLiteral("b.ini")));
    QCOMPARE(store.integerForKey(QStringLiteral("k")), std::nullopt);
    QCOMPARE(SettingsStore(dir.filePath(QStringLiteral("a.ini"))).integerForKey(QStringLiteral("k")),
             std::optional<int>(1));
}

// The store writes its file only in synchronize(), under its lock: never on an event of the
// main loop of its own, which would race with a worker's write.
void TestSettingsStore::fileIsWrittenOnlyWhenFlushed()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    SettingsStore store(file);
    store.setString(QStringLiteral("iTarnvale_username"), QStringLiteral("neo"));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(file) || QFileInfo(file).size() == 0);
    QVERIFY(store.synchronize());
    QCOMPARE(SettingsStore(file).stringForKey(QStringLiteral("iTarnvale_username")), QStringLiteral("neo"));
}

void TestSettingsStore::flushThatCannotWriteSaysSo()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(dir.filePath(QStringLiteral("blocker/settings.ini")));
    store.setString(QStringLiteral("iTarnvale_username"), QStringLiteral("neo"));
    QVERIFY(!store.synchronize());
    // save() says why, naming the place.
    const QString why = store.save();
    QVERIFY2(!why.isNull() && why.contains(dir.filePath(QStringLiteral("blocker"))), qPrintable(why));
    // Kept for this run all the same.
    QCOMPARE(store.stringForKey(QStringLiteral("iTarnvale_username")), QStringLiteral("neo"));
}

// A writer killed as it created the lock file leaves it empty: QSettings alone would wait
// until the lock is 30 s old before it saves.
void TestSettingsStore::emptyLockOfAKilledWriterDoesNotHoldTheFlush()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    QFile lock(file + QStringLiteral(".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-5), QFileDevice::FileModificationTime));
    lock.close();

    SettingsStore store(file);
    store.setString(QStringLiteral("iTarnvale_username"), QStringLiteral("neo"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(store.synchronize());
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(SettingsStore(file).stringForKey(QStringLiteral("iTarnvale_username")), QStringLiteral("neo"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
