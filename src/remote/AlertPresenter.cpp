#include "remote/AlertPresenter.h"

#include "platform/core/MainThread.h"

#include <atomic>

namespace {
std::atomic<AlertPresenter*> g_instance{nullptr};
}

AlertPresenter* AlertPresenter::instance()
{
    return g_instance.load();
}

void AlertPresenter::setInstance(AlertPresenter* presenter)
{
    g_instance.store(presenter);
}

void AlertPresenter::present(const QString& title, const QString& message, const QString& button)
{
    AlertPresenter* presenter = instance();
    if (!presenter)
        return;
    MainThread::runAndWait([presenter, &title, &message, &button] { presenter->showAlert(title, message, button); });
}
