#include "platform/core/OperationQueue.h"

#include "platform/core/Shutdown.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

// Shared by the queue object and its worker threads, so that workers outlive the queue.
struct OperationQueue::State
{
    mutable std::mutex lock;
    std::condition_variable idle; // signalled when the queue has nothing queued or running
    std::deque<std::unique_ptr<Operation>> pending;
    int width = OperationQueue::kDefaultWidth;
    int workers = 0; // live worker threads
    int running = 0;
};

namespace {

using State = OperationQueue::State;

// Every worker thread of every queue, so that the application can join them all before it
// destroys what they read. A thread that ends moves itself to finished; whoever comes next
// (a queue starting threads, or finishAll) joins it.
struct Workers
{
    std::mutex lock;
    std::condition_variable ended;
    std::list<std::thread> live;
    std::vector<std::thread> finished;
};

Workers& workers()
{
    static Workers* all = new Workers; // never destroyed: threads may end after main() returns
    return *all;
}

void joinFinished()
{
    std::vector<std::thread> done;
    {
        std::lock_guard<std::mutex> locker(workers().lock);
        done.swap(workers().finished);
    }
    for (std::thread& thread : done)
        thread.join();
}

void retire(std::list<std::thread>::iterator self)
{
    Workers& all = workers();
    std::lock_guard<std::mutex> locker(all.lock);
    all.finished.push_back(std::move(*self));
    all.live.erase(self);
    all.ended.notify_all();
}

void work(std::shared_ptr<State> state, std::list<std::thread>::iterator self)
{
    std::deque<std::unique_ptr<Operation>> dropped;
    {
        std::unique_lock<std::mutex> locker(state->lock);
        // A queue made narrower lets surplus workers end after their current operation.
        while (!state->pending.empty() && state->running < state->width) {
            if (Shutdown::hasBegun()) {
                dropped.swap(state->pending); // never started, so never run
                break;
            }
            std::unique_ptr<Operation> operation = std::move(state->pending.front());
            state->pending.pop_front();
            ++state->running;
            locker.unlock();
            operation->main();
            operation.reset();
            locker.lock();
            --state->running;
        }
        --state->workers;
        if (state->running == 0)
            state->idle.notify_all();
    }
    dropped.clear();
    state.reset();
    retire(self);
}

// Called with the queue's lock held: starts threads while work waits and the width allows.
void startWorkers(const std::shared_ptr<State>& state)
{
    const int idleWorkers = state->workers - state->running;
    int wanted = std::min<int>(state->width - state->workers,
                               int(state->pending.size()) - idleWorkers);
    if (wanted <= 0)
        return;
    Workers& all = workers();
    std::lock_guard<std::mutex> locker(all.lock);
    for (; wanted > 0; --wanted) {
        ++state->workers;
        // The thread retires itself under this same lock, so it finds its entry filled in.
        const auto self = all.live.emplace(all.live.end());
        *self = std::thread(work, state, self);
    }
}

} // namespace

OperationQueue::OperationQueue(int maxConcurrentOperationCount)
    : m_state(std::make_shared<State>())
{
    m_state->width = std::max(1, maxConcurrentOperationCount);
}

OperationQueue::~OperationQueue() = default;

int OperationQueue::maxConcurrentOperationCount() const
{
    std::lock_guard<std::mutex> locker(m_state->lock);
    return m_state->width;
}

void OperationQueue::setMaxConcurrentOperationCount(int width)
{
    joinFinished();
    std::lock_guard<std::mutex> locker(m_state->lock);
    m_state->width = std::max(1, width);
    startWorkers(m_state);
}

void OperationQueue::addOperation(std::unique_ptr<Operation> operation)
{
    if (!operation || Shutdown::hasBegun())
        return;
    joinFinished();
    std::lock_guard<std::mutex> locker(m_state->lock);
    m_state->pending.push_back(std::move(operation));
    startWorkers(m_state);
}

int OperationQueue::operationCount() const
{
    std::lock_guard<std::mutex> locker(m_state->lock);
    return int(m_state->pending.size()) + m_state->running;
}

void OperationQueue::waitUntilAllOperationsAreFinished() const
{
    std::unique_lock<std::mutex> locker(m_state->lock);
    m_state->idle.wait(locker, [this] {
        return m_state->pending.empty() && m_state->running == 0;
    });
}

void OperationQueue::finishAll()
{
    Workers& all = workers();
    {
        std::unique_lock<std::mutex> locker(all.lock);
        all.ended.wait(locker, [&all] { return all.live.empty(); });
    }
    joinFinished();
}

int OperationQueue::workerThreadCount()
{
    std::lock_guard<std::mutex> locker(workers().lock);
    return int(workers().live.size());
}
