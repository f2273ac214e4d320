// Quitting while workers wait and run: every wait ends, every exchange is cut short, work
// not yet started is dropped, and no worker is left to read what the application destroys
// next. Built with AddressSanitizer, so a worker that touched the destroyed session keeper
// or alert presenter would fail the run.
#include "LoopbackServer.h"

#include "platform/core/OperationQueue.h"
#include "platform/core/Shutdown.h"
#include "remote/AlertPresenter.h"
#include "remote/FetchPageDownload.h"
#include "site/HttpRequest.h"
#include "site/SessionKeeper.h"

#include <QSemaphore>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>

namespace {

const char kSignInPage[] = "<html><head><title>User log in</title></head><body><form></form></body></html>";

// A renewal nobody answers: the user left the login screen alone.
class UnansweredKeeper : public SessionKeeper
{
public:
    QSemaphore renewalsAsked;

protected:
    void startRenewal() override { renewalsAsked.release(); }
};

class CountingPresenter : public AlertPresenter
{
public:
    std::atomic<int> shown{0};
    void showAlert(const QString&, const QString&, const QString&) override { ++shown; }
};

// Runs a function as a queue's operation.
class Job : public Operation
{
public:
    explicit Job(std::function<void()> body) : m_body(std::move(body)) {}
    void main() override { m_body(); }

private:
    std::function<void()> m_body;
};

} // namespace

class TestQuit : public QObject
{
    Q_OBJECT

public:
    void downloaded(const QString&) {}

private Q_SLOTS:
    void quitEndsWaitsAndExchangesAndKeepsNoWorker();
};

void TestQuit::quitEndsWaitsAndExchangesAndKeepsNoWorker()
{
    std::mutex holdLock;
    std::condition_variable holdEnded;
    bool released = false;
    QSemaphore slowArrived;
    LoopbackServer site;
    site.setHandler([&](const httplib::Request& request, httplib::Response& response) {
        if (request.path == "/slow") {
            // Answers only once the test is over: the exchange is still under way at quit.
            slowArrived.release();
            std::unique_lock<std::mutex> locker(holdLock);
            holdEnded.wait(locker, [&released] { return released; });
        }
        response.set_content(kSignInPage, "text/html");
    });

    auto* keeper = new UnansweredKeeper;
    keeper->setShowLogin(true);
    SessionKeeper::setInstance(keeper);
    auto* presenter = new CountingPresenter;
    AlertPresenter::setInstance(presenter);

    std::atomic<int> ended{0};
    std::atomic<bool> lateJobRan{false};
    OperationQueue waiting(2);
    OperationQueue slow(1);
    waiting.addOperation(std::make_unique<Job>([&] {
        HttpRequest request(site.url(QStringLiteral("/files/")));
        request.request(); // parks in the renewal wait
        if (!request.hasResponse())
            ++ended;
    }));
    waiting.addOperation(std::make_unique<FetchPageDownload>(site.url(QStringLiteral("/files/download/1.torrent")),
                                                             QStringLiteral("Harbour Lights"), this,
                                                             &TestQuit::downloaded));
    slow.addOperation(std::make_unique<Job>([&] {
        HttpRequest request(site.url(QStringLiteral("/slow")));
        request.request();
        if (!request.hasResponse())
            ++ended;
    }));
    slow.addOperation(std::make_unique<Job>([&] { lateJobRan = true; }));

    // Both site requests are parked in the renewal wait, the third is inside its exchange.
    QVERIFY(keeper->renewalsAsked.tryAcquire(1, 30000));
    QVERIFY(slowArrived.tryAcquire(1, 30000));
    QTRY_COMPARE_WITH_TIMEOUT(site.requestCount(), 3, 30000);

    // The application quits: no event loop runs any more from here on.
    auto quitting = std::async(std::launch::async, [] { Shutdown::quit(); });
    QVERIFY2(quitting.wait_for(std::chrono::seconds(60)) == std::future_status::ready, "quit did not return");
    QCOMPARE(OperationQueue::workerThreadCount(), 0);
    QCOMPARE(ended.load(), 2);
    QVERIFY(!lateJobRan);

    // What the application destroys once the workers are gone.
    SessionKeeper::setInstance(nullptr);
    delete keeper;
    AlertPresenter::setInstance(nullptr);
    delete presenter;

    {
        std::lock_guard<std::mutex> locker(holdLock);
        released = true;
    }
    holdEnded.notify_all();
    Shutdown::reset();
}

QTEST_GUILESS_MAIN(TestQuit)
#include "tst_quit.moc"
