// The demo's remote client chooses its daemon and port at launch but starts the daemon only when
// asked, on that port or another when the port was taken meanwhile, and leaves no process behind.
#include "DemoRemoteClient.h"
#include "TransmissionDaemon.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool listening(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Holds a port as another program would; -1 when it could not.
int holdPort(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 1) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The processes this test has started and not yet reaped.
int childProcesses()
{
    int count = 0;
    const QString parent = QString::number(::getpid());
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1) == parent.toLatin1())
            ++count;
    }
    return count;
}

} // namespace

class TestDemoRemoteClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
    }

    void daemonStartsOnlyWhenAskedAndEndsWithTheClient()
    {
        const int before = childProcesses();
        auto remote = std::make_unique<DemoRemoteClient>();
        QVERIFY(remote->prepare(QStringLiteral("transmission"), QStringLiteral("demo"), QStringLiteral("demo")));
        QVERIFY(remote->isPending());
        QCOMPARE(remote->clientClass(), QStringLiteral("Transmission"));
        const int port = remote->port();
        QVERIFY(port > 0);
        QCOMPARE(childProcesses(), before);
        QVERIFY(!listening(port));

        QVERIFY(remote->startPending());
        QVERIFY(!remote->isPending());
        QCOMPARE(remote->port(), port);
        QVERIFY(listening(port));
        QCOMPARE(childProcesses(), before + 1);
        QVERIFY(remote->startPending()); // once only
        QCOMPARE(childProcesses(), before + 1);

        remote->beginStop();
        remote.reset();
        QCOMPARE(childProcesses(), before);
        QVERIFY(!listening(port));
    }

    void portTakenMeanwhileMovesTheDaemon()
    {
        DemoRemoteClient remote;
        QVERIFY(remote.prepare(QStringLiteral("Transmission"), QStringLiteral("demo"), QStringLiteral("demo")));
        const int taken = remote.port();
        const int held = holdPort(taken);
        QVERIFY(held >= 0);
        const auto release = qScopeGuard([held] { ::close(held); });

        QVERIFY(remote.startPending());
        QCOMPARE(remote.clientClass(), QStringLiteral("Transmission"));
        QVERIFY(remote.port() != taken);
        QVERIFY(listening(remote.port()));
    }
};

QTEST_GUILESS_MAIN(TestDemoRemoteClient)
#include "tst_demoremoteclient.moc"
