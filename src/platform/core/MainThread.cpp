#include "platform/core/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

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
    QMetaObject::invokeMethod(app, function, Qt::BlockingQueuedConnection);
}
