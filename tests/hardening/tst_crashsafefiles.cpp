// The settings file and the cookie file survive a process killed at any moment: a child
// (this same program, started with --writer) writes both files over and over through the
// real stores and reports each finished write on its standard output; the test kills it
// (SIGKILL) at random moments and then checks that each file is one whole version (the
// last one reported, or the one being written), parses, and is readable by its owner only.
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

#include <sys/stat.h>

namespace {

constexpr int kKills = 200;
constexpr int kPayloadItems = 300;
constexpr int kKeptCookies = 30;
const QString kGeneration = QStringLiteral("generation");
const QString kPayload = QStringLiteral("payload");
const QString kEnd = QStringLiteral("zzEnd"); // sorted last in the file
const QString kStateCookie = QStringLiteral("state");
const QString kDomain = QStringLiteral(".tarnvale.localhost");

QString settingsFile(const QString& dir) { return dir + QStringLiteral("/settings.ini"); }
QString cookieFile(const QString& dir) { return dir + QStringLiteral("/cookies.txt"); }

QStringList payloadFor(int generation)
{
    QStringList list;
    for (int i = 0; i < kPayloadItems; ++i)
        list.append(QStringLiteral("%1-%2-abcdefghijklmnopqrstuvwxyz").arg(generation).arg(i));
    return list;
}

// A long value that says its generation at both ends, so that a torn value is seen.
QString stateValue(int generation)
{
    return QStringLiteral("%1.%2.%1").arg(generation).arg(QString(3000, QLatin1Char('x')));
}

Cookie persistentCookie(const QString& name, const QString& value)
{
    Cookie cookie;
    cookie.name = name;
    cookie.value = value;
    cookie.domain = kDomain;
    cookie.expires = QDateTime::currentDateTimeUtc().addDays(30);
    return cookie;
}

void report(const char* what, int generation)
{
    std::printf("%s %d\n", what, generation);
    std::fflush(stdout);
}

// The child: writes settings and cookies in turn until it is killed.
int runWriter(const QString& dir)
{
    SettingsStore store(settingsFile(dir));
    CookieStore& jar = CookieStore::shared();
    jar.setStoragePath(cookieFile(dir));

    int settingsGeneration = store.integerForKey(kGeneration).value_or(0);
    int cookieGeneration = 0;
    int kept = 0;
    for (const Cookie& cookie : jar.cookies()) {
        if (cookie.name == kStateCookie)
            cookieGeneration = cookie.value.section(QLatin1Char('.'), 0, 0).toInt();
        else
            ++kept;
    }
    if (kept < kKeptCookies) {
        for (int i = 0; i < kKeptCookies; ++i)
            jar.setCookie(persistentCookie(QStringLiteral("keep%1").arg(i), QStringLiteral("v%1").arg(i)));
        report("K", 0);
    }
    std::printf("R\n"); // running: the kills below land in the writes
    std::fflush(stdout);
    for (;;) {
        ++settingsGeneration;
        store.setInteger(kGeneration, settingsGeneration);
        store.setStringArray(kPayload, payloadFor(settingsGeneration));
        store.setInteger(kEnd, settingsGeneration);
        if (!store.synchronize())
            return 2;
        report("S", settingsGeneration);

        ++cookieGeneration;
        if (!jar.setCookie(persistentCookie(kStateCookie, stateValue(cookieGeneration))))
            return 3;
        report("C", cookieGeneration);
    }
}

bool ownerOnly(const QString& path)
{
    struct stat info{};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && (info.st_mode & 0777) == 0600;
}

// The generation a settings file holds (0 for none yet), or -1 when it is not one whole version.
int settingsGenerationOf(const QString& path)
{
    if (!QFile::exists(path))
        return 0;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return -1;
    if (settings.allKeys().isEmpty())
        return 0; // created empty, killed before the first version was in
    const int generation = settings.value(kGeneration).toInt();
    if (settings.value(kEnd).toInt() != generation || settings.value(kPayload).toStringList() != payloadFor(generation))
        return -1;
    return generation;
}

struct CookieFileState
{
    bool whole = false;
    int generation = 0;
    int kept = 0;
};

CookieFileState cookieStateOf(const QString& path)
{
    CookieFileState state;
    QFile file(path);
    if (!file.exists()) {
        state.whole = true;
        return state;
    }
    if (!file.open(QIODevice::ReadOnly))
        return state;
    const QByteArray text = file.readAll();
    if (text.isEmpty()) {
        state.whole = true;
        return state;
    }
    if (!text.startsWith("# Netscape HTTP Cookie File\n") || !text.endsWith('\n'))
        return state;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 7)
            return state;
        const QString name = QString::fromUtf8(fields.at(5));
        const QString value = QString::fromUtf8(fields.at(6));
        if (name == kStateCookie) {
            state.generation = value.section(QLatin1Char('.'), 0, 0).toInt();
            if (value != stateValue(state.generation))
                return state;
        } else if (name.startsWith(QLatin1String("keep"))) {
            ++state.kept;
        } else {
            return state;
        }
    }
    state.whole = true;
    return state;
}

// The last generation of each kind the child reported as written.
struct Reports
{
    int settings = -1;
    int cookies = -1;
    bool keptWritten = false;
    bool running = false;
};

void readReports(const QByteArray& output, Reports& reports)
{
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("S "))
            reports.settings = line.mid(2).toInt();
        else if (line.startsWith("C "))
            reports.cookies = line.mid(2).toInt();
        else if (line.startsWith("K "))
            reports.keptWritten = true;
        else if (line == "R")
            reports.running = true;
    }
}

} // namespace

class TestCrashSafeFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesStayWholeWhenTheWriterIsKilled();
};

void TestCrashSafeFiles::filesStayWholeWhenTheWriterIsKilled()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QRandomGenerator random(QRandomGenerator::global()->generate());
    int settingsBefore = 0;
    int cookiesBefore = 0;
    bool keptWritten = false;
    int written = 0;

    for (int round = 0; round < kKills; ++round) {
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--writer"), dir.path()});
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start();
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));

        // Wait for a random number of finished writes (none: kill it as it starts up or in
        // its first write), then kill it within a few milliseconds.
        const int writesToSee = int(random.bounded(6));
        QByteArray output;
        Reports reports;
        while (child.state() == QProcess::Running) {
            readReports(output, reports);
            const int seen = output.count("S ") + output.count("C ");
            if ((writesToSee == 0 && reports.running) || (writesToSee > 0 && seen >= writesToSee))
                break;
            child.waitForReadyRead(10000);
            output += child.readAllStandardOutput();
        }
        QVERIFY2(child.state() == QProcess::Running, "the writer ended on its own");
        QThread::usleep(random.bounded(3000));
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        output += child.readAllStandardOutput();
        reports = Reports();
        readReports(output, reports);
        keptWritten = keptWritten || reports.keptWritten;

        // Old or new: the last version reported, or the one the child was writing.
        const int settingsBase = reports.settings >= 0 ? reports.settings : settingsBefore;
        const int settingsNow = settingsGenerationOf(settingsFile(dir.path()));
        QVERIFY2(settingsNow == settingsBase || settingsNow == settingsBase + 1,
                 qPrintable(QStringLiteral("round %1: settings file holds %2, expected %3 or %4")
                                .arg(round).arg(settingsNow).arg(settingsBase).arg(settingsBase + 1)));
        const int cookiesBase = reports.cookies >= 0 ? reports.cookies : cookiesBefore;
        const CookieFileState cookies = cookieStateOf(cookieFile(dir.path()));
        QVERIFY2(cookies.whole, qPrintable(QStringLiteral("round %1: cookie file is torn").arg(round)));
        QVERIFY2(cookies.generation == cookiesBase || cookies.generation == cookiesBase + 1,
                 qPrintable(QStringLiteral("round %1: cookie file holds %2, expected %3 or %4")
                                .arg(round).arg(cookies.generation).arg(cookiesBase).arg(cookiesBase + 1)));
        if (keptWritten)
            QCOMPARE(cookies.kept, kKeptCookies);

        // Whatever holds settings or cookies (the files, a temporary one the kill left) is
        // the owner's alone. QSettings' lock files hold only a process id and host name.
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden)) {
            if (!entry.fileName().contains(QLatin1String(".lock")))
                QVERIFY2(ownerOnly(entry.filePath()), qPrintable(entry.fileName()));
        }
        written += (settingsNow - settingsBefore) + (cookies.generation - cookiesBefore);
        settingsBefore = settingsNow;
        cookiesBefore = cookies.generation;
    }
    // Left over by the kills: temporary files that never became the file.
    const QStringList leftovers = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    qInfo("%d versions written across %d kills; files in the folder: %s", written, kKills,
          qPrintable(leftovers.join(QLatin1String(", "))));
    QVERIFY(written > kKills / 2); // the kills did land among the writes
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestCrashSafeFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafefiles.moc"
