#include "platform/core/MainThread.h"

#include "platform/core/Shutdown.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

namespace {

// Qt queues a call for the main thread under its own lock, inside a library built without
// ThreadSanitizer, so the sanitizer cannot see that what a worker made (the function, what it
// captured, anything the worker allocated and handed over in it) comes before the main
// thread's use and release of it. This counter makes the hand-off visible: raised with
// release once the call sits in Qt's queue, read with acquire on the main thread before the
// call runs or is destroyed. A fixed address, so that the main thread reads nothing the worker
// wrote before the acquire. It costs one uncontended atomic per call.
std::atomic<unsigned> g_handOffs{0};

// Workers queue their calls one at a time under this lock: Qt grows its queue under a lock of
// its own that ThreadSanitizer cannot see either, and would take two workers' growing of the
// same queue for a race.
std::mutex g_posting;

// The function as Qt's queue holds it. Qt moves it into its queue entry; the last move is the
// worker's last write, so each move ends with the release.
class HandedFunction
{
public:
    explicit HandedFunction(std::function<void()> function)
        : m_function(std::move(function))
    {
    }
    HandedFunction(HandedFunction&& other) noexcept
        : m_function(std::move(other.m_function))
    {
        g_handOffs.fetch_add(1, std::memory_order_release);
    }
    HandedFunction& operator=(HandedFunction&&) = delete;
    ~HandedFunction()
    {
        // The one Qt's queue held (the others are moved from, and empty) goes with Qt's
        // call event, which the worker's posting allocated after its last move. Taking the
        // posting lock, once the worker has let it go, orders that allocation before the
        // event's release here. Only tried: Qt may destroy the event under a lock of its own
        // that a posting worker waits for, and waiting here could then never end.
        if (m_function && g_posting.try_lock())
            g_posting.unlock();
        g_handOffs.load(std::memory_order_acquire);
    }

    void operator()()
    {
        g_handOffs.load(std::memory_order_acquire);
        m_function();
    }

private:
    std::function<void()> m_function;
};

} // namespace

bool MainThread::isMainThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void MainThread::post(std::function<void()> function)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !function)
        return;
    // Posted events to one receiver are delivered in the order they were posted.
    std::lock_guard<std::mutex> locker(g_posting);
    QMetaObject::invokeMethod(app, HandedFunction(std::move(function)), Qt::QueuedConnection);
}

void MainThread::runAndWait(const std::function<void()>& function)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !function)
        return;
    if (QThread::currentThread() == app->thread()) {
        function();
        return;
    }
    // Not a blocking queued call: a quitting application runs no more events, and the worker
    // must then give up instead of waiting for ever. A call given up on never runs.
    struct Hand
    {
        std::mutex lock;
        bool done = false;
        bool abandoned = false;
        std::function<void()> function;
    };
    auto hand = std::make_shared<Hand>();
    {
        // Under the lock the main thread takes before it runs the function, so that the copy
        // made here is seen to come first (Qt's own queueing is invisible to ThreadSanitizer).
        std::lock_guard<std::mutex> locker(hand->lock);
        hand->function = function;
    }
    QMetaObject::invokeMethod(app, [hand] {
        std::lock_guard<std::mutex> locker(hand->lock);
        if (hand->abandoned)
            return;
        hand->function();
        hand->done = true;
        Shutdown::wake();
    }, Qt::QueuedConnection);
    const bool done = Shutdown::waitUntil([&hand] {
        std::lock_guard<std::mutex> locker(hand->lock);
        return hand->done;
    }, std::chrono::milliseconds(100));
    if (!done) {
        std::lock_guard<std::mutex> locker(hand->lock);
        hand->abandoned = !hand->done;
    }
}
