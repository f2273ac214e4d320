#pragma once

#include <chrono>
#include <functional>

// The application's one orderly way out. Workers park in waits that only an outside event
// ends (a renewed session, the previous page of a batch, an alert on screen); quit() wakes
// every such wait, aborts every exchange under way, drops the operations no queue has started
// and joins every worker thread. Only after it has returned may the application destroy what
// workers reach (the session keeper, the alert presenter, the cookie and settings stores).
class Shutdown
{
public:
    // True from quit() on (until reset()).
    static bool hasBegun();

    // Wakes, aborts and joins as described above; returns when no worker thread is left.
    // Call it on the main thread, after the event loop has ended.
    static void quit();

    // Waits until ready() holds or quit() begins, looking again every recheck and whenever
    // wake() is called. Returns ready()'s last answer: false means the application is ending
    // and the waiter should give up.
    static bool waitUntil(const std::function<bool()>& ready, std::chrono::milliseconds recheck);

    // Sleeps for the interval unless quit() begins meanwhile; false when it did.
    static bool sleepFor(std::chrono::milliseconds interval);

    // Has every waitUntil look at its condition again now (its event has happened).
    static void wake();

    // For tests that quit and then go on: the application runs again.
    static void reset();
};
