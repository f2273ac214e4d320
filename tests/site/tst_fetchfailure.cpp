// Why an exchange failed, as the HTTP layer keeps it and the screens say it: each way a site
// fails over a real loopback connection, met through the faulty relay, gives its own reason.
#include "FaultyProxy.h"
#include "LoopbackServer.h"
#include "platform/core/FetchFailure.h"
#include "platform/core/UrlLoader.h"
#include "site/HttpRequest.h"

#include <QTest>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

namespace {

// A port on 127.0.0.1 where nothing listens: bound once, then closed.
int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

} // namespace

Q_DECLARE_METATYPE(FaultyProxy::Fault)
Q_DECLARE_METATYPE(FetchFailure::Kind)

class TestFetchFailure : public QObject
{
    Q_OBJECT

private:
    LoopbackServer m_server;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_server.isListening(), qPrintable(m_server.error()));
        m_server.setHandler([](const httplib::Request&, httplib::Response& response) {
            response.set_content("<html>fine</html>", "text/html");
        });
    }

    void cleanup() { UrlLoader::setDefaultTimeoutSeconds(0); }

    // Each fault of the relay, the reason the request keeps and the sentence a list shows.
    void reasonOfEachFault_data()
    {
        QTest::addColumn<FaultyProxy::Fault>("fault");
        QTest::addColumn<FetchFailure::Kind>("kind");
        QTest::addColumn<QString>("text");
        using F = FaultyProxy::Fault;
        using K = FetchFailure::Kind;
        QTest::newRow("relay") << F::Relay << K::None << QString();
        QTest::newRow("503") << F::Answer503 << K::Status << QStringLiteral("The site answered 503.");
        QTest::newRow("closed unanswered") << F::Close << K::NoAnswer
                                           << QStringLiteral("The site closed the connection without answering.");
        QTest::newRow("reset") << F::Reset << K::CutShort << QStringLiteral("The connection to 127.0.0.1 was cut short.");
        QTest::newRow("body cut short") << F::CutBody << K::CutShort
                                        << QStringLiteral("The connection to 127.0.0.1 was cut short.");
        QTest::newRow("no answer in time") << F::Hold << K::TimedOut << QStringLiteral("The site did not answer in 1 s.");
    }

    void reasonOfEachFault()
    {
        QFETCH(FaultyProxy::Fault, fault);
        QFETCH(FetchFailure::Kind, kind);
        QFETCH(QString, text);
        FaultyProxy proxy(m_server.port());
        QVERIFY(proxy.isListening());
        proxy.setFault(fault);
        // A held answer is met by the client's own time-out.
        UrlLoader::setDefaultTimeoutSeconds(1);

        HttpRequest request(QUrl(QStringLiteral("http://%1/page").arg(proxy.hostAndPort())));
        request.request();
        QCOMPARE(request.failure().kind, kind);
        QCOMPARE(request.failure().text(), text);
        QCOMPARE(request.failure().isFailure(), kind != FetchFailure::Kind::None);
        if (kind == FetchFailure::Kind::None)
            QCOMPARE(request.result(), QStringLiteral("<html>fine</html>"));
        // A client is named as such, and a status stays a status.
        if (kind == FetchFailure::Kind::Status)
            QCOMPARE(request.failure().text(FetchFailure::Far::Client), QStringLiteral("The client answered 503."));
    }

    // Nothing listening: the site "could not be connected to"; for the client the user typed,
    // the address and port that are closed.
    void refusedAndUnknownHosts()
    {
        const int port = closedPort();
        FetchFailure failure;
        UrlRequest closed;
        closed.url = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
        QVERIFY(!UrlLoader::send(closed, &failure));
        QCOMPARE(failure.kind, FetchFailure::Kind::ConnectionRefused);
        QCOMPARE(failure.text(), QStringLiteral("Could not connect to 127.0.0.1."));
        QCOMPARE(failure.text(FetchFailure::Far::Client), QStringLiteral("Nothing is listening at 127.0.0.1:%1.").arg(port));

        UrlRequest unknown;
        unknown.url = QUrl(QStringLiteral("http://no-such-host.invalid/"));
        unknown.timeoutSeconds = 20;
        QVERIFY(!UrlLoader::send(unknown, &failure));
        QCOMPARE(failure.kind, FetchFailure::Kind::HostNotFound);
        QCOMPARE(failure.text(), QStringLiteral("no-such-host.invalid was not found."));

        // A response clears what an earlier failure left.
        UrlRequest answered;
        answered.url = m_server.url(QStringLiteral("/"));
        QVERIFY(UrlLoader::send(answered, &failure));
        QVERIFY(!failure.isFailure());
    }
};

QTEST_GUILESS_MAIN(TestFetchFailure)
#include "tst_fetchfailure.moc"
