#include "platform/core/OperationQueue.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

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

void work(std::shared_ptr<State> state)
{
    std::unique_lock<std::mutex> locker(state->lock);
    // A queue made narrower lets surplus workers end after their current operation.
    while (!state->pending.empty() && state->running < state->width) {
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

// Called with the lock held: starts threads while work waits and the width allows.
void startWorkers(const std::shared_ptr<State>& state)
{
    const int idleWorkers = state->workers - state->running;
    int wanted = std::min<int>(state->width - state->workers,
                               int(state->pending.size()) - idleWorkers);
    for (; wanted > 0; --wanted) {
        ++state->workers;
        std::thread(work, state).detach();
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
    std::lock_guard<std::mutex> locker(m_state->lock);
    m_state->width = std::max(1, width);
    startWorkers(m_state);
}

void OperationQueue::addOperation(std::unique_ptr<Operation> operation)
{
    if (!operation)
        return;
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
