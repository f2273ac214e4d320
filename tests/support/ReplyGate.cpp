#include "ReplyGate.h"

ReplyGate::~ReplyGate()
{
    std::unique_lock<std::mutex> locker(m_lock);
    m_open = true;
    m_changed.notify_all();
    m_changed.wait(locker, [this] { return m_inside == 0; });
}

void ReplyGate::hold(const QString& key)
{
    std::unique_lock<std::mutex> locker(m_lock);
    ++m_inside;
    m_held.append(key);
    const quint64 round = m_round;
    m_changed.wait(locker, [&] { return m_open || m_released.contains(key) || m_round != round; });
    m_held.removeOne(key);
    --m_inside;
    m_changed.notify_all();
}

void ReplyGate::release(const QString& key)
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_released.insert(key);
    m_changed.notify_all();
}

void ReplyGate::releaseAll()
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_open = true;
    m_changed.notify_all();
}

void ReplyGate::reset()
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_open = false;
    m_released.clear();
    ++m_round;
    m_changed.notify_all();
}

QStringList ReplyGate::held() const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return m_held;
}
