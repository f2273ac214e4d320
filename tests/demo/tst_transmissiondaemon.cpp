// The private transmission-daemon comes up on a port of its own even when the port it picked
// is taken meanwhile, as happens when tests start their daemons in parallel.
#include "LoopbackServer.h"
#include "TransmissionDaemon.h"

#include <QJsonObject>
#include <QTest>

#include <memory>

namespace {

QString downloadFolderOf(TransmissionDaemon& daemon)
{
    return daemon.rpc(QStringLiteral("session-get"))
        .value(QStringLiteral("arguments")).toObject()
        .value(QStringLiteral("download-dir")).toString();
}

} // namespace

class TestTransmissionDaemon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
    }

    void takenPortIsLeftForAnother_data()
    {
        QTest::addColumn<bool>("heldByDaemon");
        QTest::newRow("held by a web server") << false;
        // The same credentials, as two runs of one test use: only the folders tell them apart.
        QTest::newRow("held by another daemon") << true;
    }

    void takenPortIsLeftForAnother()
    {
        QFETCH(bool, heldByDaemon);
        const QString user = QStringLiteral("remote");
        const QString password = QStringLiteral("p@ss:w/rd");
        LoopbackServer server;
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        std::unique_ptr<TransmissionDaemon> holder;
        int taken = server.port();
        if (heldByDaemon) {
            holder = std::make_unique<TransmissionDaemon>(user, password);
            QVERIFY2(holder->start(), qPrintable(holder->errorText()));
            taken = holder->rpcPort();
        }

        TransmissionDaemon daemon(user, password);
        daemon.setPreferredRpcPort(taken);
        QVERIFY2(daemon.start(), qPrintable(daemon.errorText()));
        QVERIFY(daemon.rpcPort() != taken);
        QCOMPARE(downloadFolderOf(daemon), daemon.downloadDirectory());
        if (heldByDaemon) {
            QCOMPARE(downloadFolderOf(*holder), holder->downloadDirectory());
        } else {
            QVERIFY(server.requestCount() > 0); // the taken port was tried first
        }
    }
};

QTEST_GUILESS_MAIN(TestTransmissionDaemon)
#include "tst_transmissiondaemon.moc"
