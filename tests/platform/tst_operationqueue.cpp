#include "platform/core/MainThread.h"
#include "platform/core/OperationQueue.h"

#include <QCoreApplication>
#include <QMutex>
#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

namespace {

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

// Counts operations running at once and remembers the highest count.
struct Overlap
{
    std::atomic<int> now{0};
    std::atomic<int> most{0};

    void run()
    {
        const int n = ++now;
        int seen = most.load();
        while (n > seen && !most.compare_exchange_weak(seen, n)) {
        }
        QThread::msleep(30);
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
};

void TestOperationQueue::widthLimitsOverlap_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one at a time") << 1;
    QTest::newRow("three at a time") << 3;
}

// Eight slow operations never overlap more than the width; with width 3 they do overlap.
void TestOperationQueue::widthLimitsOverlap()
{
    QFETCH(int, width);
    Overlap overlap;
    QList<int> order;
    QMutex orderLock;
    {
        OperationQueue queue(width);
        for (int i = 0; i < 8; ++i) {
            queue.addOperation(op([&, i] {
                {
                    QMutexLocker locker(&orderLock);
                    order.append(i);
                }
                overlap.run();
            }));
        }
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
    OperationQueue queue(1);
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    queue.addOperation(op([&] {
        started = true;
        while (!release)
            QThread::msleep(1);
    }));
    queue.addOperation(op([] {}));
    queue.addOperation(op([] {}));
    QTRY_VERIFY(started.load());
    QCOMPARE(queue.operationCount(), 3);
    release = true;
    queue.waitUntilAllOperationsAreFinished();
    QCOMPARE(queue.operationCount(), 0);
}

// Dropping a queue neither blocks nor cancels: what was added still runs.
void TestOperationQueue::destroyedQueueStillRunsItsOperations()
{
    auto ran = std::make_shared<std::atomic<int>>(0);
    {
        OperationQueue queue(1);
        for (int i = 0; i < 3; ++i) {
            queue.addOperation(op([ran] {
                QThread::msleep(20);
                ++*ran;
            }));
        }
    }
    QVERIFY(ran->load() < 3);
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

QTEST_GUILESS_MAIN(TestOperationQueue)
#include "tst_operationqueue.moc"
