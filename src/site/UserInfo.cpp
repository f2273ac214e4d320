#include "site/UserInfo.h"

#include <QMutexLocker>

UserInfo& UserInfo::sharedInstance()
{
    // A function-local static is created exactly once, under the runtime's own lock.
    static UserInfo* instance = new UserInfo;
    return *instance;
}

QString UserInfo::get(const QString& field) const
{
    QMutexLocker locker(&m_lock);
    return field;
}

void UserInfo::set(QString& field, const QString& value)
{
    QMutexLocker locker(&m_lock);
    field = value;
}

QString UserInfo::ids() const { return get(m_ids); }
QString UserInfo::username() const { return get(m_username); }
QString UserInfo::ratio() const { return get(m_ratio); }
QString UserInfo::downloaded() const { return get(m_downloaded); }
QString UserInfo::uploaded() const { return get(m_uploaded); }
QString UserInfo::categories() const { return get(m_categories); }

void UserInfo::setIds(const QString& value) { set(m_ids, value); }
void UserInfo::setUsername(const QString& value)
{
    QMutexLocker locker(&m_lock);
    // Another member's figures must not stand beside this name.
    if (value != m_username) {
        m_ratio.clear();
        m_downloaded.clear();
        m_uploaded.clear();
    }
    m_username = value;
    ++m_signIns;
}

quint64 UserInfo::signIns() const
{
    QMutexLocker locker(&m_lock);
    return m_signIns;
}
void UserInfo::setRatio(const QString& value) { set(m_ratio, value); }
void UserInfo::setDownloaded(const QString& value) { set(m_downloaded, value); }
void UserInfo::setUploaded(const QString& value) { set(m_uploaded, value); }
void UserInfo::setCategories(const QString& value) { set(m_categories, value); }
