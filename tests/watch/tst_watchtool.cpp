// itarnvale-watch as a timer runs it, a fresh process each round against the demo site: the
// first round prints nothing, a round after uploads prints the matching ones, the next
// nothing; its exit status tells a round done, a site that could not be read and a wrong
// command line apart.
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "platform/core/SettingsStore.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestWatchTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    DemoSite m_site;

    QString settingsFile() const { return m_folder.filePath(QStringLiteral("watch.ini")); }

    Run run(QStringList arguments, const QString& webHost = QString())
    {
        arguments << QStringLiteral("--settings") << settingsFile() << QStringLiteral("--cookies")
                  << m_folder.filePath(QStringLiteral("cookies.txt")) << QStringLiteral("--web-host")
                  << (webHost.isEmpty() ? m_site.webHost() : webHost) << QStringLiteral("--secure-web-host")
                  << m_site.secureWebHost() << QStringLiteral("--ca-file") << m_site.caCertificatePath();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")); // the settings file keeps the password
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/itarnvale-watch"), arguments);
        Run result;
        if (!process.waitForFinished(60000))
            return result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_site.start(&error), qPrintable(error));
        SettingsStore store(settingsFile());
        store.setStringArray(SettingsKeys::filters, {QStringLiteral("Linux|BSD")});
        store.setString(SettingsKeys::username, QString::fromLatin1(DemoSite::kDemoUsername));
        store.setString(SettingsKeys::password, QString::fromLatin1(DemoSite::kDemoPassword));
        QVERIFY(store.synchronize());
    }

    void roundsPrintEachMatchOnce()
    {
        const QStringList json{QStringLiteral("--once"), QStringLiteral("--json")};
        Run first = run(json);
        QCOMPARE(first.status, 0);
        QCOMPARE(first.out, QByteArray());

        m_site.addNextTorrent(); // Linux
        m_site.addNextTorrent(); // not followed
        const DemoTorrent bsd = m_site.addNextTorrent();
        Run second = run(json);
        QCOMPARE(second.status, 0);
        const QList<QByteArray> lines = second.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QJsonObject newest = QJsonDocument::fromJson(lines.first()).object();
        QCOMPARE(newest.value(QLatin1String("name")).toString(), bsd.name);
        QCOMPARE(newest.value(QLatin1String("filter")).toString(), QStringLiteral("Linux|BSD"));
        QCOMPARE(newest.value(QLatin1String("sent")), QJsonValue(false));
        QCOMPARE(newest.value(QLatin1String("seeders")).toString(), QString::number(bsd.seeders));
        QVERIFY(newest.value(QLatin1String("details")).toString().startsWith(QStringLiteral("http://%1/torrent/%2/").arg(m_site.webHost()).arg(bsd.id)));
        QVERIFY(newest.value(QLatin1String("download")).toString().contains(QStringLiteral("/files/download/%1/").arg(bsd.id)));

        Run third = run({});
        QCOMPARE(third.status, 0);
        QCOMPARE(third.out, QByteArray());

        // Without --json: the name and the details address, a tab between.
        const DemoTorrent plain = m_site.addTorrent(QStringLiteral("Linux From Scratch 13"));
        Run fourth = run({});
        QCOMPARE(fourth.out, (plain.name + QStringLiteral("\thttp://%1/torrent/%2/").arg(m_site.webHost()).arg(plain.id)).toUtf8()
                                 + QByteArray("Linux-From-Scratch-13.html\n"));
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("siteDown");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--every"), QStringLiteral("5")} << false << 2;
        QTest::newRow("a word") << QStringList{QStringLiteral("now")} << false << 2;
        QTest::newRow("site down") << QStringList{QStringLiteral("--once")} << true << 1;
    }

    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, siteDown);
        QFETCH(int, status);
        // Port 1 on loopback: nothing listens there.
        const Run result = run(arguments, siteDown ? QStringLiteral("www.tarnvale.localhost:1") : QString());
        QCOMPARE(result.status, status);
        QCOMPARE(result.out, QByteArray());
        QVERIFY(result.err.contains("itarnvale-watch: "));
        if (siteDown)
            QVERIFY2(result.err.contains("itarnvale-watch: Could not connect to www.tarnvale.localhost"), result.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestWatchTool)
#include "tst_watchtool.moc"
