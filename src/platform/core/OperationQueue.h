#pragma once

#include "platform/core/Operation.h"

#include <memory>

// A queue that runs its operations on worker threads of its own, at most
// maxConcurrentOperationCount at a time, in the order they were added.
//
// Threads are started on demand (up to the width) and end when the queue runs dry, so an
// idle queue holds no thread.
//
// Destroying the queue does not wait and does not cancel: operations already added (queued
// or running) still run to their end on the queue's threads, which release the queue's state
// when the last of them finishes. The fetch operations never reach a destroyed target, so a
// screen may drop its queues at any time without blocking the user interface thread.
//
// Once the application quits (Shutdown), queues start nothing more: operations not yet
// started are dropped unrun, and finishAll() joins every worker thread of every queue.
class OperationQueue
{
public:
    static constexpr int kDefaultWidth = 1;

    explicit OperationQueue(int maxConcurrentOperationCount = kDefaultWidth);
    ~OperationQueue();
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    int maxConcurrentOperationCount() const;
    // A width below 1 counts as 1. A wider queue starts more threads at once for work
    // already waiting.
    void setMaxConcurrentOperationCount(int width);

    // Takes ownership; a null operation is ignored.
    void addOperation(std::unique_ptr<Operation> operation);

    // Operations queued plus those running.
    int operationCount() const;

    // Blocks until every operation added so far (and any added meanwhile) has finished and
    // been destroyed. For tests and tools; never call it on the main thread while an
    // operation waits for the main thread.
    void waitUntilAllOperationsAreFinished() const;

    // Blocks until every worker thread of every queue has ended, and joins them. Only
    // meaningful once Shutdown has begun (otherwise new work may keep threads coming).
    static void finishAll();
    // Worker threads alive in all queues.
    static int workerThreadCount();

    struct State;

private:
    std::shared_ptr<State> m_state;
};
