// Requests to the same origin reuse the connections kept open from earlier ones, whichever
// thread made them: a page on a real link costs one round trip, not two.
#include "CountingServer.h"
#include "LoopbackCertificates.h"

#include "platform/core/ConnectionPool.h"
#include "platform/core/Shutdown.h"
#include "platform/core/UrlLoader.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <thread>
#include <vector>

class TestKeptConnections : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString caFile = m_dir.filePath(QStringLiteral("ca.pem"));
        QFile ca(caFile);
        QVERIFY(ca.open(QIODevice::WriteOnly));
        ca.write(LoopbackCertificates::instance().authorityPem());
        ca.close();
        UrlLoader::setExtraCaFile(caFile);
    }

    void cleanup() { ConnectionPool::shared().closeIdle(); }

    void pagesOneAfterAnotherShareOneConnection_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::newRow("http") << false;
        QTest::newRow("https") << true;
    }

    // Pages and pictures alike, each from a thread of its own (as the queues' workers
    // take turns): one connection carries all ten.
    void pagesOneAfterAnotherShareOneConnection()
    {
        QFETCH(bool, tls);
        CountingServer server(tls);
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        for (int i = 0; i < 10; ++i) {
            bool answered = false;
            std::thread worker([&] {
                const QUrl url = server.url(QStringLiteral("/page%1").arg(i));
                if (i % 2 == 0) {
                    UrlRequest request;
                    request.url = url;
                    const std::optional<UrlResponse> response = UrlLoader::send(request);
                    answered = response && response->statusCode == 200 && response->body.contains("page");
                } else {
                    answered = UrlLoader::contentsOfUrl(url).has_value();
                }
            });
            worker.join();
            QVERIFY2(answered, qPrintable(QStringLiteral("request %1").arg(i)));
        }
        QCOMPARE(server.requestCount(), 10);
        QCOMPARE(server.acceptedConnections(), 1);
    }

    // Ten at once need ten connections, and no more; the ten that follow find them kept.
    void pagesAtOnceOpenAtMostOneConnectionEach()
    {
        CountingServer server;
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        std::atomic<int> answered{0};
        std::vector<std::thread> workers;
        for (int i = 0; i < 10; ++i) {
            workers.emplace_back([&] {
                if (UrlLoader::contentsOfUrl(server.url(QStringLiteral("/hold"))))
                    ++answered;
            });
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.holding(), 10, 30000);
        server.release();
        for (std::thread& worker : workers)
            worker.join();
        QCOMPARE(answered.load(), 10);
        QCOMPARE(server.acceptedConnections(), 10);

        workers.clear();
        for (int i = 0; i < 10; ++i) {
            workers.emplace_back([&] {
                if (UrlLoader::contentsOfUrl(server.url(QStringLiteral("/again"))))
                    ++answered;
            });
        }
        for (std::thread& worker : workers)
            worker.join();
        QCOMPARE(answered.load(), 20);
        QCOMPARE(server.acceptedConnections(), 10);
    }

    // At quit the kept connections close (the servers of the demo then stop at once); a
    // program that goes on afterwards connects afresh.
    void quitClosesKeptConnections()
    {
        CountingServer server;
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        QVERIFY(UrlLoader::contentsOfUrl(server.url(QStringLiteral("/first"))));
        QCOMPARE(ConnectionPool::shared().idleCount(), 1);
        Shutdown::quit();
        auto runAgain = qScopeGuard([] { Shutdown::reset(); });
        QCOMPARE(ConnectionPool::shared().idleCount(), 0);
        QVERIFY(!UrlLoader::contentsOfUrl(server.url(QStringLiteral("/during"))));
        Shutdown::reset();
        QVERIFY(UrlLoader::contentsOfUrl(server.url(QStringLiteral("/after"))));
        QCOMPARE(server.acceptedConnections(), 2);
        QCOMPARE(server.requestCount(), 2);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestKeptConnections)
#include "tst_keptconnections.moc"
