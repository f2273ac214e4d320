// The private qBittorrent and Deluge come up on ports of their own even when a port they
// picked is taken meanwhile (by a web server, or by another daemon of the same client with
// the same password, as two runs of one test are), and answer as themselves.
#include "DelugeDaemon.h"
#include "LoopbackServer.h"
#include "QbittorrentDaemon.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<LoopbackDaemon> make(const QString& client)
{
    if (client == QLatin1String("Deluge"))
        return std::make_unique<DelugeDaemon>(QStringLiteral("pw"));
    return std::make_unique<QbittorrentDaemon>(QStringLiteral("admin"), QStringLiteral("pw"));
}

bool installed(const QString& client)
{
    if (client == QLatin1String("Deluge"))
        return !DelugeDaemon::daemonProgram().isEmpty() && !DelugeDaemon::webProgram().isEmpty();
    return !QbittorrentDaemon::program().isEmpty();
}

} // namespace

class TestWebClientDaemons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takenPortIsLeftForAnother_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<bool>("heldByDaemon");
        QTest::addColumn<int>("which"); // the position of the taken port among the client's
        QTest::newRow("qbittorrent: web port, a web server") << "Qbittorrent" << false << 0;
        QTest::newRow("qbittorrent: web port, another qbittorrent") << "Qbittorrent" << true << 0;
        QTest::newRow("deluge: web port, another deluge") << "Deluge" << true << 0;
        QTest::newRow("deluge: daemon port, a web server") << "Deluge" << false << 1;
    }

    void takenPortIsLeftForAnother()
    {
        QFETCH(QString, client);
        QFETCH(bool, heldByDaemon);
        QFETCH(int, which);
        if (!installed(client))
            QSKIP("the client is not installed");
        LoopbackServer server;
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        std::unique_ptr<LoopbackDaemon> holder;
        int taken = server.port();
        if (heldByDaemon) {
            holder = make(client);
            QVERIFY2(holder->start(), qPrintable(holder->errorText()));
            taken = holder->port();
        }

        const std::unique_ptr<LoopbackDaemon> daemon = make(client);
        QList<int> preferred{LoopbackDaemon::freePort(), LoopbackDaemon::freePort()};
        preferred[which] = taken;
        daemon->setPreferredPorts(preferred);
        QVERIFY2(daemon->start(), qPrintable(daemon->errorText()));
        QVERIFY(daemon->port() != taken);
        // Each answers through its own interface, with its own (empty) list.
        const auto held = daemon->torrents();
        QVERIFY(held.has_value());
        QVERIFY(held->isEmpty());
        if (holder)
            QVERIFY(holder->torrents().has_value());
    }
};

QTEST_GUILESS_MAIN(TestWebClientDaemons)
#include "tst_webclientdaemons.moc"
