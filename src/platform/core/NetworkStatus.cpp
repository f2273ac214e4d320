#include "platform/core/NetworkStatus.h"

#include "platform/core/MainThread.h"

#include <QCoreApplication>

NetworkStatus& NetworkStatus::shared()
{
    // Reached by workers until the end, so never destroyed; it belongs to the main thread
    // whichever thread made it.
    static NetworkStatus* instance = [] {
        auto* status = new NetworkStatus;
        if (QCoreApplication* application = QCoreApplication::instance())
            status->moveToThread(application->thread());
        return status;
    }();
    return *instance;
}

void NetworkStatus::report(const FetchFailure& failure, bool answered)
{
    if (failure.isNoNetwork())
        shared().update(true, failure.text());
    else if (answered)
        shared().update(false, QString());
}

void NetworkStatus::update(bool offline, const QString& text)
{
    {
        std::lock_guard lock(m_lock);
        if (m_offline == offline && m_text == text)
            return;
        m_offline = offline;
        m_text = text;
    }
    MainThread::post([] { Q_EMIT shared().changed(); });
}

bool NetworkStatus::isOffline() const
{
    std::lock_guard lock(m_lock);
    return m_offline;
}

QString NetworkStatus::text() const
{
    std::lock_guard lock(m_lock);
    return m_text;
}
