#include "DemoTorrentFile.h"
#include "VuzeStandIn.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// itarnvale-send: one line of outcome and its exit status, against the Vuze stand-in.
class TestSend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void outcomes_data();
    void outcomes();

private:
    QTemporaryDir m_folder;
    VuzeStandIn m_vuze{QStringLiteral("admin"), QStringLiteral("pw")};
    QString m_program;
};

void TestSend::initTestCase()
{
    m_program = QCoreApplication::applicationDirPath() + QStringLiteral("/itarnvale-send");
    if (!QFile::exists(m_program))
        QSKIP("itarnvale-send is not built in this build directory");
    QVERIFY(m_vuze.start());
    QFile torrent(m_folder.filePath(QStringLiteral("film.torrent")));
    QVERIFY(torrent.open(QIODevice::WriteOnly));
    torrent.write(DemoTorrentFile::make(QStringLiteral("Low.Tide.1958.avi"), QStringLiteral("http://127.0.0.1:1/announce")));
    torrent.close();
    QFile page(m_folder.filePath(QStringLiteral("page.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body>User log in</body></html>");
}

void TestSend::outcomes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("history");
    const QString port = QString::number(m_vuze.port());
    const QStringList vuze{QStringLiteral("--client"), QStringLiteral("Vuze"), QStringLiteral("--address"),
                           QStringLiteral("127.0.0.1"), QStringLiteral("--port"), port, QStringLiteral("--user"),
                           QStringLiteral("admin")};
    const QString failed = QStringLiteral("Connection with server failed. The client refused the user name or password.");
    QTest::newRow("sent") << (QStringList{QStringLiteral("film.torrent")} + vuze + QStringList{QStringLiteral("--password"), QStringLiteral("pw")})
                          << 0 << "sent" << QStringList{QStringLiteral("Low.Tide.1958.avi")};
    QTest::newRow("wrong password") << (QStringList{QStringLiteral("film.torrent")} + vuze + QStringList{QStringLiteral("--password"), QStringLiteral("x")})
                                    << 1 << failed << QStringList();
    QTest::newRow("not a torrent") << (QStringList{QStringLiteral("page.html")} + vuze + QStringList{QStringLiteral("--password"), QStringLiteral("pw")})
                                   << 1 << "Problem with website. The site's answer is not a .torrent file." << QStringList();
    QTest::newRow("unknown client") << QStringList{QStringLiteral("film.torrent"), QStringLiteral("--client"), QStringLiteral("Bittornado")}
                                    << 2 << "" << QStringList();
    QTest::newRow("no file") << QStringList{QStringLiteral("missing.torrent")} << 2 << "" << QStringList();
}

void TestSend::outcomes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, line);
    QFETCH(QStringList, history);
    const QString settings = m_folder.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    QProcess send;
    send.setWorkingDirectory(m_folder.path());
    send.start(m_program, arguments + QStringList{QStringLiteral("--settings"), settings});
    QVERIFY(send.waitForFinished(30000));
    QCOMPARE(send.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(send.readAllStandardOutput()).trimmed(), line);
    QSettings stored(settings, QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("iTarnvale_torrentHistory")).toStringList(), history);
}

QTEST_GUILESS_MAIN(TestSend)
#include "tst_send.moc"
