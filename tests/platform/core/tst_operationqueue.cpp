#include "platform/core/MainThread.h"
#include "platform/core/OperationQueue.h"

#include <QCoreApplication>
#include <QMutex>
#include <QScopeGuard>
#include <QSemaphore>
#include <QUrl>
#include <QTest>

#include <atomic>
#include <functional>
#include <memory>

namespace {

// Long enough for the busiest machine; reached only when the queue is at fault.
constexpr int kLongWait = 20000;

// Runs a function as an operation.
class FunctionOperation : public Operation
{
public:
    explicit FunctionOperation(std::function<void()> function)
        : m_function(std::move(function))
    {
    }
    void main() override { m_function(); }

private:
    std::function<void()> m_function;
};

std::unique_ptr<Operation> op(std::function<void()> function)
{
    return std::make_unique<FunctionOperation>(std::move(function));
}

// Counts operations running at once and remembers the highest count. Each one stays until
// the test lets one more go, so the overlap is set by the test, not by how fast threads start.
struct Overlap
{
    std::atomic<int> now{0};
    std::atomic<int> most{0};
    std::atomic<int> started{0};
    QSemaphore gate;

    void run()
    {
        const int n = ++now;
        int seen = most.load();
        while (n > seen && !most.compare_exchange_weak(seen, n)) {
        }
        ++started;
        gate.acquire();
        --now;
    }
};

} // namespace

class TestOperationQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void widthLimitsOverlap_data();
    void widthLimitsOverlap();
    void countIsQueuedPlusRunning();
    void destroyedQueueStillRunsItsOperations();
    void mainThreadCalls();
    void handOffToTheMainThread();
};

void TestOperationQueue::widthLimitsOverlap_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one at a time") << 1;
    QTest::newRow("three at a time") << 3;
}

// Eight operations never overlap more than the width; with width 3 they do overlap.
void TestOperationQueue::widthLimitsOverlap()
{
    QFETCH(int, width);
    Overlap overlap;
    QList<int> order;
    QMutex orderLock;
    {
        OperationQueue queue(width);
        // Should a check fail, no operation is left waiting on what this function owns.
        const auto letGo = qScopeGuard([&] {
            overlap.gate.release(8);
            queue.waitUntilAllOperationsAreFinished();
        });
        for (int i = 0; i < 8; ++i) {
            queue.addOperation(op([&, i] {
                {
                    QMutexLocker locker(&orderLock);
                    order.append(i);
                }
                overlap.run();
            }));
        }
        QTRY_COMPARE(overlap.started.load(), width);
        QCOMPARE(overlap.now.load(), width);
        // Each one let go makes room for exactly one more.
        for (int next = width + 1; next <= 8; ++next) {
            overlap.gate.release();
            QTRY_COMPARE(overlap.started.load(), next);
            QVERIFY(overlap.now.load() <= width);
        }
        overlap.gate.release(width);
        queue.waitUntilAllOperationsAreFinished();
        QCOMPARE(queue.operationCount(), 0);
    }
    QCOMPARE(overlap.most.load(), width);
    QCOMPARE(order.size(), 8);
    if (width == 1)
        QCOMPARE(order, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

void TestOperationQueue::countIsQueuedPlusRunning()
{
    QSemaphore started;
    QSemaphore release;
    OperationQueue queue(1);
    const auto letGo = qScopeGuard([&] {
        release.release();
        queue.waitUntilAllOperationsAreFinished();
    });
    queue.addOperation(op([&] {
        started.release();
        release.acquire();
    }));
    queue.addOperation(op([] {}));
    queue.addOperation(op([] {}));
    QVERIFY(started.tryAcquire(1, kLongWait));
    QCOMPARE(queue.operationCount(), 3);
    release.release();
    queue.waitUntilAllOperationsAreFinished();
    QCOMPARE(queue.operationCount(), 0);
}

// Dropping a queue neither blocks nor cancels: what was added still runs.
void TestOperationQueue::destroyedQueueStillRunsItsOperations()
{
    auto ran = std::make_shared<std::atomic<int>>(0);
    // Outlives the test function when a queue that wrongly blocked has let it fail.
    auto gate = std::make_shared<QSemaphore>();
    {
        OperationQueue queue(1);
        for (int i = 0; i < 3; ++i) {
            queue.addOperation(op([ran, gate] {
                gate->tryAcquire(1, kLongWait); // a blocking destructor ends up here, late
                ++*ran;
            }));
        }
    }
    // The queue is gone while its first operation still waits for the gate.
    QCOMPARE(ran->load(), 0);
    gate->release(3);
    QTRY_COMPARE(ran->load(), 3);
}

void TestOperationQueue::mainThreadCalls()
{
    QVERIFY(MainThread::isMainThread());
    QList<int> order;
    std::atomic<bool> workerSawAlert{false};
    std::atomic<bool> done{false};
    std::atomic<bool> workerIsMain{true};
    OperationQueue queue(1);
    queue.addOperation(op([&] {
        workerIsMain = MainThread::isMainThread();
        for (int i = 0; i < 5; ++i)
            MainThread::post([&order, i] { order.append(i); });
        bool shown = false;
        MainThread::runAndWait([&] { shown = MainThread::isMainThread(); });
        workerSawAlert = shown;
        done = true;
    }));
    QTRY_VERIFY(done.load());
    QVERIFY(!workerIsMain.load());
    QVERIFY(workerSawAlert.load());
    QTRY_COMPARE(order, (QList<int>{0, 1, 2, 3, 4}));

    // On the main thread itself the waiting call runs at once.
    bool direct = false;
    MainThread::runAndWait([&] { direct = true; });
    QVERIFY(direct);
}

// What a worker makes and posts (here a Qt value it allocated) is used and freed on the main
// thread, and ThreadSanitizer must see that the worker's writes come first: Qt's own queue is
// invisible to it. The posted function, captures and all, dies on the main thread, never on
// the worker.
void TestOperationQueue::handOffToTheMainThread()
{
    struct Witness
    {
        Witness(std::atomic<int>* main, std::atomic<int>* other)
            : onMain(main)
            , elsewhere(other)
        {
        }
        ~Witness() { ++*(MainThread::isMainThread() ? onMain : elsewhere); }
        std::atomic<int>* onMain;
        std::atomic<int>* elsewhere;
    };
    constexpr int kCalls = 50;
    std::atomic<int> freedOnMain{0};
    std::atomic<int> freedElsewhere{0};
    QStringList received;
    OperationQueue queue(3);
    for (int n = 0; n < 3; ++n) {
        queue.addOperation(op([&, n] {
            for (int i = n; i < kCalls; i += 3) {
                QUrl url(QStringLiteral("http://tracker.localhost/details.php?id=%1").arg(i));
                auto witness = std::make_shared<Witness>(&freedOnMain, &freedElsewhere);
                MainThread::post([url = std::move(url), witness = std::move(witness), &received] {
                    received.append(url.query());
                });
            }
        }));
    }
    QTRY_COMPARE(freedOnMain.load(), kCalls);
    QCOMPARE(freedElsewhere.load(), 0);
    QCOMPARE(received.size(), kCalls);
    received.sort();
    QCOMPARE(received.first(), QStringLiteral("id=0"));
    QVERIFY(received.contains(QStringLiteral("id=49")));
}

QTEST_GUILESS_MAIN(TestOperationQueue)
#include "tst_operationqueue.moc"
