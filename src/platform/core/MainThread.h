#pragma once

#include <functional>

// Running functions on the main (user interface) thread from any thread.
class MainThread
{
public:
    // True on the thread of the QCoreApplication.
    static bool isMainThread();

    // Queues the function to the main thread's event loop and returns at once. Functions
    // queued this way run one at a time, in the order they were queued. Dropped when there
    // is no application object (nothing would ever run it).
    static void post(std::function<void()> function);

    // Runs the function on the main thread and returns when it has run: directly when
    // called on the main thread, otherwise by waiting for the event loop to run it. Only for
    // a worker that must know an alert is on screen before it goes on. Dropped when there is
    // no application object. Returns early, the function unrun, when the application quits.
    static void runAndWait(const std::function<void()>& function);
};
