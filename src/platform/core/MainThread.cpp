#include "platform/core/MainThread.h"

#include "platform/core/Shutdown.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <chrono>
#include <memory>
#include <mutex>

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
    QMetaObject::invokeMethod(app, std::move(function), Qt::QueuedConnection);
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
    hand->function = function;
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
