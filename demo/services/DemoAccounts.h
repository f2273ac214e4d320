#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <optional>

// The demo site's members, their sessions and the captcha challenges handed out. Shared by
// every server thread, so every member function takes the lock.
class DemoAccounts
{
public:
    struct Account
    {
        int id = 0;
        QString name;
        QString password;
        QString userClass;   // "Power User", ...
        QString joined;      // "2009-03-14"
        qint64 uploaded = 0; // bytes
        qint64 downloaded = 0;
    };
    struct Session
    {
        QString token; // the "pass" cookie
        QString sid;   // the host-only "PHPSESSID" cookie
    };

    DemoAccounts();

    // Every member, the demo account first.
    QList<Account> accounts() const;
    std::optional<Account> byId(int id) const;
    std::optional<Account> byName(const QString& name) const;
    // The account when name and password are right.
    std::optional<Account> check(const QString& name, const QString& password) const;

    Session openSession(int userId);
    // The member a request's cookies belong to; none without a valid session.
    std::optional<Account> sessionUser(const QString& cookieHeader) const;
    // Every session ends at once (tests: a lost session).
    void expireAllSessions();

    // The site asks for a captcha after a wrong password until someone signs in, and always
    // while captchaAlwaysDemanded is on.
    bool captchaDemanded() const;
    void setCaptchaDemanded(bool demanded);
    bool captchaAlwaysDemanded() const;
    void setCaptchaAlwaysDemanded(bool always);
    // The host the sign-in page loads the captcha script from; empty: the demo's own captcha
    // service. Tests point it at a server of their own to take the service down.
    QString captchaScriptHost() const;
    void setCaptchaScriptHost(const QString& host);

    // A new challenge with the words it shows; the answer is checked once (case and extra
    // blanks do not matter) and the challenge is used up either way.
    QString newChallenge();
    QString challengeText(const QString& challenge) const; // null for an unknown one
    bool checkAnswer(const QString& challenge, const QString& answer);

    // Friends of a member, by id; changes are remembered for the run. removeFriend answers
    // whether the friend was on the list.
    QList<int> friendsOf(int userId) const;
    bool removeFriend(int userId, int friendId);
    void addFriend(int userId, int friendId);

    // Private messages sent through the message form, oldest first; kept for the run.
    struct Message
    {
        int from = 0;
        int to = 0;
        QString subject;
        QString body;
    };
    void addMessage(const Message& message);
    QList<Message> messagesTo(int userId) const;

    // Pages other than the sign-in endpoint answer the sign-in page without a session.
    bool sessionRequired() const;
    void setSessionRequired(bool required);

    // The last form body posted to the sign-in endpoint, as received.
    QByteArray lastSignInBody() const;
    void setLastSignInBody(const QByteArray& body);

private:
    mutable QMutex m_lock;
    QList<Account> m_accounts;
    QHash<QString, int> m_sessions; // token -> user id
    QHash<QString, QString> m_challenges; // challenge -> text
    QHash<int, QList<int>> m_friends;
    QList<Message> m_messages;
    bool m_captchaDemanded = false;
    bool m_captchaAlways = false;
    QString m_captchaScriptHost;
    bool m_sessionRequired = true;
    QByteArray m_lastSignInBody;
    quint32 m_counter = 0;
};
