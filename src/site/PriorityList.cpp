#include "site/PriorityList.h"

#include "platform/core/Shutdown.h"

void PriorityList::fill(int first, int count)
{
    QMutexLocker locker(&m_lock);
    for (int i = 0; i < count; ++i)
        m_values.append(first + i);
}

void PriorityList::append(int priority)
{
    QMutexLocker locker(&m_lock);
    m_values.append(priority);
}

bool PriorityList::contains(int priority) const
{
    QMutexLocker locker(&m_lock);
    return m_values.contains(priority);
}

void PriorityList::remove(int priority)
{
    {
        QMutexLocker locker(&m_lock);
        m_values.removeAll(priority);
    }
    Shutdown::wake(); // the page waiting for this one may deliver now
}

bool PriorityList::isEmpty() const
{
    QMutexLocker locker(&m_lock);
    return m_values.isEmpty();
}

QList<int> PriorityList::values() const
{
    QMutexLocker locker(&m_lock);
    return m_values;
}
