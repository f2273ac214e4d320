#pragma once

#include <QString>

// One entry of the user's friends list. Texts are null until set.
class Friend
{
public:
    QString name() const { return m_name; }
    void setName(const QString& value) { m_name = value; }
    // The friend's numeric user id (digits).
    QString ids() const { return m_ids; }
    void setIds(const QString& value) { m_ids = value; }
    // Absolute URL of the avatar picture.
    QString avatarUrl() const { return m_avatarUrl; }
    void setAvatarUrl(const QString& value) { m_avatarUrl = value; }
    // The text in parentheses after the name (the friend's class on the site).
    QString type() const { return m_type; }
    void setType(const QString& value) { m_type = value; }
    // The line shown after it (when the friend was last seen).
    QString date() const { return m_date; }
    void setDate(const QString& value) { m_date = value; }

private:
    QString m_name;
    QString m_ids;
    QString m_avatarUrl;
    QString m_type;
    QString m_date;
};
