#include "RecordingAlertPresenter.h"

#include "platform/core/MainThread.h"

RecordingAlertPresenter::RecordingAlertPresenter()
{
    AlertPresenter::setInstance(this);
}

RecordingAlertPresenter::~RecordingAlertPresenter()
{
    if (AlertPresenter::instance() == this)
        AlertPresenter::setInstance(nullptr);
}

void RecordingAlertPresenter::showAlert(const QString& title, const QString& message, const QString& button)
{
    QMutexLocker locker(&m_lock);
    m_alerts.append({title, message, button, MainThread::isMainThread()});
}

QList<RecordingAlertPresenter::Alert> RecordingAlertPresenter::alerts() const
{
    QMutexLocker locker(&m_lock);
    return m_alerts;
}

void RecordingAlertPresenter::clear()
{
    QMutexLocker locker(&m_lock);
    m_alerts.clear();
}
