#pragma once

#include <QString>

// How an operation running on a worker shows an alert with a title, a message and one
// button. The navigation controller implements showAlert() (it becomes the alert's delegate
// and keeps it as its current alert); tests and tools give their own.
class AlertPresenter
{
public:
    virtual ~AlertPresenter() = default;

    // The one registered presenter; null until one is registered.
    static AlertPresenter* instance();
    static void setInstance(AlertPresenter* presenter);

    // Runs on the main thread: puts the alert on screen and returns.
    virtual void showAlert(const QString& title, const QString& message, const QString& button) = 0;

    // From a worker: has the registered presenter show the alert on the main thread and
    // returns once it is on screen, so the alert is up before the operation delivers.
    // Without a presenter (or without an application) nothing is shown.
    static void present(const QString& title, const QString& message, const QString& button);
};
