// itarnvale-remote against real Transmission, qBittorrent and Deluge daemons of its own: a
// torrent the app sent is listed under its hash, pauses, resumes and goes; a wrong password,
// an unknown hash, a client without such calls and a wrong command line end as they should.
#include "DemoTorrentFile.h"
#include "TransmissionDaemon.h"
#include "WebClientDaemons.h"
#include "remote/BitClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {
constexpr int kWait = 60000;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Where one client's interface listens and how to sign in.
struct Target
{
    QString client;
    int port = 0;
    QString username;
    QString password;
};
} // namespace

class TestRemoteControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void torrentIsListedPausedResumedAndRemoved_data() { addClientRows(); }
    void torrentIsListedPausedResumedAndRemoved();
    void pauseDuringTheDataCheckHolds();
    void wrongPasswordIsRefusedWithItsReason_data() { addClientRows(); }
    void wrongPasswordIsRefusedWithItsReason();
    void commandLinesAndClientsWithoutControl_data();
    void commandLinesAndClientsWithoutControl();

private:
    void addClientRows();
    // The row's client, or nullopt when it is not installed.
    std::optional<Target> target();
    Run run(const QStringList& arguments, const std::optional<Target>& to, const QString& password = QString());
    // The torrent of that hash as "list" prints it; an empty object when it is not listed.
    QJsonObject listed(const Target& to, const QString& hash);

    QTemporaryDir m_folder;
    QString m_program;
    TransmissionDaemon m_transmission{QStringLiteral("remote"), QStringLiteral("tr p@ss")};
    WebClientDaemons m_daemons{QStringLiteral("qb p@ss:w/rd"), QStringLiteral("d3luge&pw")};
};

void TestRemoteControl::initTestCase()
{
    m_program = QCoreApplication::applicationDirPath() + QStringLiteral("/itarnvale-remote");
    QVERIFY2(QFile::exists(m_program), "itarnvale-remote is not built in this build directory");
    QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
    QVERIFY2(m_transmission.start(), qPrintable(m_transmission.errorText()));
    QVERIFY2(m_daemons.start(), qPrintable(m_daemons.errorText()));
}

void TestRemoteControl::addClientRows()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<bool>("withData");
    QTest::newRow("transmission") << QStringLiteral("Transmission") << false;
    QTest::newRow("qbittorrent") << m_daemons.qbittorrent().clientName() << true;
    QTest::newRow("deluge") << m_daemons.deluge().clientName() << false;
}

std::optional<Target> TestRemoteControl::target()
{
    QFETCH(QString, client);
    if (client == QLatin1String("Transmission"))
        return Target{client, m_transmission.rpcPort(), m_transmission.username(), m_transmission.password()};
    const LoopbackDaemon* daemon = m_daemons.current();
    if (!daemon)
        return std::nullopt;
    return Target{client, daemon->port(), daemon->username(), daemon->password()};
}

Run TestRemoteControl::run(const QStringList& arguments, const std::optional<Target>& to, const QString& password)
{
    QStringList all = arguments;
    if (to)
        all << QStringLiteral("--client") << to->client << QStringLiteral("--address") << QStringLiteral("127.0.0.1")
            << QStringLiteral("--port") << QString::number(to->port) << QStringLiteral("--user") << to->username
            << QStringLiteral("--password") << (password.isNull() ? to->password : password);
    all << QStringLiteral("--settings") << m_folder.filePath(QStringLiteral("settings.ini"));
    QProcess tool;
    tool.start(m_program, all);
    Run result;
    if (!tool.waitForFinished(kWait))
        return result;
    result.exitCode = tool.exitCode();
    result.out = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    result.err = QString::fromUtf8(tool.readAllStandardError()).trimmed();
    return result;
}

QJsonObject TestRemoteControl::listed(const Target& to, const QString& hash)
{
    const Run list = run({QStringLiteral("list")}, to);
    if (list.exitCode != 0)
        qWarning("list failed: %s", qPrintable(list.err));
    for (const QString& line : list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonObject torrent = QJsonDocument::fromJson(line.toUtf8()).object();
        if (torrent.value(QLatin1String("hash")).toString() == hash)
            return torrent;
    }
    return QJsonObject();
}

void TestRemoteControl::torrentIsListedPausedResumedAndRemoved()
{
    QFETCH(bool, withData);
    const std::optional<Target> to = target();
    if (!to)
        QSKIP("the client is not installed");
    // Sent as the app sends it.
    const QString name = to->client + QStringLiteral(".Low.Tide.1958.avi");
    const QByteArray torrent = DemoTorrentFile::make(name, QStringLiteral("http://127.0.0.1:1/announce"));
    const std::unique_ptr<BitClient> adapter = BitClient::create(to->client);
    adapter->setAddress(QStringLiteral("127.0.0.1"));
    adapter->setPort(QString::number(to->port));
    adapter->setUsername(to->username);
    adapter->setPassword(to->password);
    adapter->setFilename(name + QStringLiteral(".torrent"));
    adapter->setFile(torrent);
    adapter->setSessionId();
    QVERIFY(adapter->upload());
    const QString hash = DemoTorrentFile::infoHash(torrent);
    QCOMPARE(hash, hash.toLower());

    QTRY_VERIFY_WITH_TIMEOUT(!listed(*to, hash).isEmpty(), kWait);
    const QJsonObject record = listed(*to, hash);
    QCOMPARE(record.value(QLatin1String("name")).toString(), name);
    QCOMPARE(record.value(QLatin1String("size")).toInteger(), 40000);
    const double progress = record.value(QLatin1String("progress")).toDouble(-1);
    QVERIFY2(progress >= 0 && progress <= 1, qPrintable(QString::number(progress)));
    const QStringList states{QStringLiteral("downloading"), QStringLiteral("seeding"), QStringLiteral("paused"),
                             QStringLiteral("checking"),    QStringLiteral("queued"),  QStringLiteral("stalled"),
                             QStringLiteral("error")};
    QVERIFY2(states.contains(record.value(QLatin1String("state")).toString()), qPrintable(record.value(QLatin1String("state")).toString()));
    QVERIFY(record.value(QLatin1String("down")).isDouble());
    QVERIFY(record.value(QLatin1String("up")).isDouble());

    // The hash is taken in upper case too, as some clients show it.
    Run done = run({QStringLiteral("pause"), hash.toUpper()}, to);
    QCOMPARE(done.exitCode, 0);
    QCOMPARE(done.out, QStringLiteral("paused"));
    QTRY_COMPARE_WITH_TIMEOUT(listed(*to, hash).value(QLatin1String("state")).toString(), QStringLiteral("paused"), kWait);

    done = run({QStringLiteral("resume"), hash}, to);
    QCOMPARE(done.exitCode, 0);
    QCOMPARE(done.out, QStringLiteral("resumed"));
    QTRY_VERIFY_WITH_TIMEOUT(listed(*to, hash).value(QLatin1String("state")).toString() != QLatin1String("paused"), kWait);
    QVERIFY(!listed(*to, hash).isEmpty());

    done = run(withData ? QStringList{QStringLiteral("remove"), hash, QStringLiteral("--with-data")}
                        : QStringList{QStringLiteral("remove"), hash},
               to);
    QCOMPARE(done.exitCode, 0);
    QCOMPARE(done.out, QStringLiteral("removed"));
    QTRY_VERIFY_WITH_TIMEOUT(listed(*to, hash).isEmpty(), kWait);

    // A torrent the client does not hold is said to be unknown, not done.
    done = run({QStringLiteral("pause"), hash}, to);
    QCOMPARE(done.exitCode, 1);
    QVERIFY2(done.err.contains(QLatin1String("holds no torrent with this hash")), qPrintable(done.err));
}

void TestRemoteControl::pauseDuringTheDataCheckHolds()
{
    // Transmission checks a torrent's data right after it is added, and a stop that arrives
    // during the check is undone when the check ends; the pause must hold all the same, and
    // "paused" must not be said before it does.
    const QString name = QStringLiteral("Checked.Right.Away.1961.avi");
    const QByteArray torrent = DemoTorrentFile::make(name, QStringLiteral("http://127.0.0.1:1/announce"));
    const std::unique_ptr<BitClient> adapter = BitClient::create(QStringLiteral("Transmission"));
    adapter->setAddress(QStringLiteral("127.0.0.1"));
    adapter->setPort(QString::number(m_transmission.rpcPort()));
    adapter->setUsername(m_transmission.username());
    adapter->setPassword(m_transmission.password());
    adapter->setFilename(name + QStringLiteral(".torrent"));
    adapter->setFile(torrent);
    adapter->setSessionId();
    QVERIFY(adapter->upload());
    const QString hash = DemoTorrentFile::infoHash(torrent);
    QVERIFY2(adapter->pauseTorrent(hash), qPrintable(adapter->controlFailureText()));
    const QJsonObject got = m_transmission.rpc(
        QStringLiteral("torrent-get"),
        {{QStringLiteral("ids"), QJsonArray{hash}}, {QStringLiteral("fields"), QJsonArray{QStringLiteral("status")}}});
    const QJsonArray torrents = got.value(QLatin1String("arguments")).toObject().value(QLatin1String("torrents")).toArray();
    QCOMPARE(torrents.size(), 1);
    QCOMPARE(torrents.first().toObject().value(QLatin1String("status")).toInt(-1), 0); // stopped
    QVERIFY(adapter->removeTorrent(hash, false));
}

void TestRemoteControl::wrongPasswordIsRefusedWithItsReason()
{
    const std::optional<Target> to = target();
    if (!to)
        QSKIP("the client is not installed");
    const Run list = run({QStringLiteral("list")}, to, QStringLiteral("wrong"));
    QCOMPARE(list.exitCode, 1);
    QCOMPARE(list.out, QString());
    QCOMPARE(list.err, QStringLiteral("itarnvale-remote: The client refused the user name or password."));
}

void TestRemoteControl::commandLinesAndClientsWithoutControl_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reason");
    const QString hash = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    const QStringList closed{QStringLiteral("--client"), QStringLiteral("transmission"), QStringLiteral("--address"),
                             QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                             QString::number(LoopbackDaemon::freePort())};
    QTest::newRow("no command") << QStringList() << 2 << "give a command";
    QTest::newRow("unknown command") << QStringList{QStringLiteral("start"), hash} << 2 << "unknown command start";
    QTest::newRow("no hash") << QStringList{QStringLiteral("pause")} << 2 << "pause takes one hash";
    QTest::newRow("not a hash") << QStringList{QStringLiteral("remove"), QStringLiteral("all")} << 2
                                << "all is not a torrent's hash";
    QTest::newRow("with data to pause") << QStringList{QStringLiteral("pause"), hash, QStringLiteral("--with-data")} << 2
                                        << "--with-data goes with remove";
    QTest::newRow("unknown client") << QStringList{QStringLiteral("list"), QStringLiteral("--client"), QStringLiteral("Bittornado")}
                                    << 2 << "unknown client Bittornado";
    QTest::newRow("no client set") << QStringList{QStringLiteral("list")} << 1 << "No remote client is set";
    QTest::newRow("vuze") << QStringList{QStringLiteral("list"), QStringLiteral("--client"), QStringLiteral("vuze")} << 1
                          << "Vuze: This client does not offer its list of torrents.";
    QTest::newRow("utorrent") << QStringList{QStringLiteral("pause"), hash, QStringLiteral("--client"), QStringLiteral("Utorrent")}
                              << 1 << "Utorrent: This client does not offer its list of torrents.";
    QTest::newRow("nothing listens") << (QStringList{QStringLiteral("list")} + closed) << 1 << "Nothing is listening at 127.0.0.1:";
}

void TestRemoteControl::commandLinesAndClientsWithoutControl()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, reason);
    const Run result = run(arguments, std::nullopt);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, QString());
    // The keychain may say first where the passwords are kept; the tool's reason comes last
    // (before the usage for a wrong command line).
    const QStringList lines = result.err.split(QLatin1Char('\n'));
    const bool said = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return line.startsWith(QStringLiteral("itarnvale-remote: ") + reason);
    });
    QVERIFY2(said, qPrintable(result.err));
}

QTEST_GUILESS_MAIN(TestRemoteControl)
#include "tst_remotecontrol.moc"
