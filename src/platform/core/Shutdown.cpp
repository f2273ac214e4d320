#include "platform/core/Shutdown.h"

#include "platform/core/ConnectionPool.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/UrlLoader.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

std::atomic<bool> g_begun{false};
std::mutex g_lock;
std::condition_variable g_changed;
// Bumped by wake() and quit() so that a waiter cannot miss a wake-up between looking at
// its condition and going to sleep.
unsigned long long g_generation = 0;

void notify()
{
    {
        std::lock_guard<std::mutex> locker(g_lock);
        ++g_generation;
    }
    g_changed.notify_all();
}

} // namespace

bool Shutdown::hasBegun()
{
    return g_begun.load();
}

void Shutdown::quit()
{
    g_begun.store(true);
    notify();
    UrlLoader::abortAll();
    OperationQueue::finishAll();
    // No worker is left to use them: the kept connections close now, not at exit.
    ConnectionPool::shared().closeIdle();
}

bool Shutdown::waitUntil(const std::function<bool()>& ready, std::chrono::milliseconds recheck)
{
    for (;;) {
        unsigned long long seen;
        {
            std::lock_guard<std::mutex> locker(g_lock);
            seen = g_generation;
        }
        if (ready())
            return true;
        if (hasBegun())
            return false;
        std::unique_lock<std::mutex> locker(g_lock);
        g_changed.wait_for(locker, recheck, [seen] { return g_generation != seen; });
    }
}

bool Shutdown::sleepFor(std::chrono::milliseconds interval)
{
    std::unique_lock<std::mutex> locker(g_lock);
    g_changed.wait_for(locker, interval, [] { return hasBegun(); });
    return !hasBegun();
}

void Shutdown::wake()
{
    notify();
}

void Shutdown::reset()
{
    g_begun.store(false);
}
