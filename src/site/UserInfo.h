#pragma once

#include <QMutex>
#include <QString>

// The signed-in user's record, one for the whole process. Written by the sign-in workers,
// read by the screens on the main thread: every field is replaced whole under the lock,
// so a reader sees the old or the new text, never a mixture. Texts are null until set.
class UserInfo
{
public:
    // Made on first use (thread-safe), never released.
    static UserInfo& sharedInstance();

    QString ids() const;        // the user's numeric id (the "uid" cookie)
    QString username() const;   // as the site displays it
    // The figures of the list header, from the user's own profile page (FetchPageUserFigures);
    // null until read, and cleared when another user's name is set.
    QString ratio() const;
    QString downloaded() const;
    QString uploaded() const;
    QString categories() const;
    // How many times a name was set (each sign-in and each session found still valid sets
    // it): a screen that read the figures after sign-in n knows to read them again after n+1.
    quint64 signIns() const;

    void setIds(const QString& value);
    void setUsername(const QString& value);
    void setRatio(const QString& value);
    void setDownloaded(const QString& value);
    void setUploaded(const QString& value);
    void setCategories(const QString& value);

private:
    UserInfo() = default;
    QString get(const QString& field) const;
    void set(QString& field, const QString& value);

    mutable QMutex m_lock;
    QString m_ids;
    QString m_username;
    QString m_ratio;
    QString m_downloaded;
    QString m_uploaded;
    QString m_categories;
    quint64 m_signIns = 0;
};
