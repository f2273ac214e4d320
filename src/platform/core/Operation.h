#pragma once

// One unit of work that an OperationQueue runs once, on one of its worker threads.
// Operations are never cancelled: once added, main() runs to its end.
class Operation
{
public:
    Operation() = default;
    virtual ~Operation() = default;
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // Runs on a worker thread of the queue. The queue destroys the operation on that same
    // thread right after main() returns.
    virtual void main() = 0;
};
