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

    struct State;

private:
    std::shared_ptr<State> m_state;
};
