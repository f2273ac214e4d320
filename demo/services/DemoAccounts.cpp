#include "DemoAccounts.h"

#include "DemoSite.h"

#include <QCryptographicHash>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const char* const kWords[] = {
    "harbour", "lantern", "meadow", "copper", "willow", "granite", "falcon", "ember",  "violet",
    "thicket", "saddle",  "orchard", "pebble", "marble", "juniper", "beacon", "hollow", "quarry",
};

// "a=b; c=d" -> value of name, null when absent.
QString cookieValue(const QString& header, const QString& name)
{
    for (const QString& part : header.split(QLatin1Char(';'))) {
        const QString pair = part.trimmed();
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq > 0 && pair.left(eq) == name)
            return pair.mid(eq + 1);
    }
    return QString();
}

QString normalised(const QString& answer)
{
    return answer.simplified().toLower();
}

} // namespace

DemoAccounts::DemoAccounts()
{
    const qint64 gb = 1024LL * 1024 * 1024;
    m_accounts = {
        {1001, QString::fromLatin1(DemoSite::kDemoUsername), QString::fromLatin1(DemoSite::kDemoPassword),
         QStringLiteral("Power User"), QStringLiteral("2009-03-14"), 1331 * gb, 412 * gb},
        {4711, QStringLiteral("trinity"), QStringLiteral("followthewhiterabbit"), QStringLiteral("Uploader"),
         QStringLiteral("2008-11-02"), 5120 * gb, 890 * gb},
        {815, QStringLiteral("morpheus"), QStringLiteral("redpill"), QStringLiteral("Moderator"),
         QStringLiteral("2007-06-21"), 9800 * gb, 1200 * gb},
        {2302, QStringLiteral("tank_op"), QStringLiteral("operator"), QStringLiteral("User"),
         QStringLiteral("2010-01-09"), 88 * gb, 130 * gb},
        // A name a url-encoded form must escape.
        {3110, QStringLiteral("R&D=50+50%"), QStringLiteral("p&ss w=rd+%"), QStringLiteral("Power User"),
         QStringLiteral("2010-07-30"), 640 * gb, 201 * gb},
        {5150, QStringLiteral("Zoë"), QStringLiteral("mañana"), QStringLiteral("VIP"),
         QStringLiteral("2011-02-01"), 300 * gb, 95 * gb},
    };
    m_friends.insert(1001, {4711, 815, 2302, 3110, 5150});
    m_friends.insert(4711, {815, 1001});
}

QList<DemoAccounts::Account> DemoAccounts::accounts() const
{
    QMutexLocker locker(&m_lock);
    return m_accounts;
}

std::optional<DemoAccounts::Account> DemoAccounts::byId(int id) const
{
    QMutexLocker locker(&m_lock);
    for (const Account& account : m_accounts) {
        if (account.id == id)
            return account;
    }
    return std::nullopt;
}

std::optional<DemoAccounts::Account> DemoAccounts::byName(const QString& name) const
{
    QMutexLocker locker(&m_lock);
    for (const Account& account : m_accounts) {
        if (account.name == name)
            return account;
    }
    return std::nullopt;
}

std::optional<DemoAccounts::Account> DemoAccounts::check(const QString& name, const QString& password) const
{
    const std::optional<Account> account = byName(name);
    if (account && account->password == password)
        return account;
    return std::nullopt;
}

DemoAccounts::Session DemoAccounts::openSession(int userId)
{
    QMutexLocker locker(&m_lock);
    auto random = [this]() {
        QByteArray seed = QByteArray::number(QRandomGenerator::global()->generate64()) + QByteArray::number(++m_counter);
        return QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Md5).toHex());
    };
    Session session{random(), random()};
    m_sessions.insert(session.token, userId);
    return session;
}

std::optional<DemoAccounts::Account> DemoAccounts::sessionUser(const QString& cookieHeader) const
{
    const QString token = cookieValue(cookieHeader, QStringLiteral("pass"));
    const QString uid = cookieValue(cookieHeader, QStringLiteral("uid"));
    int id = 0;
    {
        QMutexLocker locker(&m_lock);
        if (token.isEmpty() || !m_sessions.contains(token))
            return std::nullopt;
        id = m_sessions.value(token);
    }
    if (uid != QString::number(id))
        return std::nullopt;
    return byId(id);
}

void DemoAccounts::expireAllSessions()
{
    QMutexLocker locker(&m_lock);
    m_sessions.clear();
}

bool DemoAccounts::captchaDemanded() const
{
    QMutexLocker locker(&m_lock);
    return m_captchaDemanded || m_captchaAlways;
}

void DemoAccounts::setCaptchaDemanded(bool demanded)
{
    QMutexLocker locker(&m_lock);
    m_captchaDemanded = demanded;
}

bool DemoAccounts::captchaAlwaysDemanded() const
{
    QMutexLocker locker(&m_lock);
    return m_captchaAlways;
}

void DemoAccounts::setCaptchaAlwaysDemanded(bool always)
{
    QMutexLocker locker(&m_lock);
    m_captchaAlways = always;
}

QString DemoAccounts::captchaScriptHost() const
{
    QMutexLocker locker(&m_lock);
    return m_captchaScriptHost;
}

void DemoAccounts::setCaptchaScriptHost(const QString& host)
{
    QMutexLocker locker(&m_lock);
    m_captchaScriptHost = host;
}

QString DemoAccounts::newChallenge()
{
    QMutexLocker locker(&m_lock);
    QRandomGenerator* random = QRandomGenerator::global();
    const int count = int(sizeof kWords / sizeof kWords[0]);
    const QString text = QString::fromLatin1(kWords[random->bounded(count)]) + QLatin1Char(' ')
                         + QString::number(random->bounded(100, 1000));
    QByteArray seed = QByteArray::number(random->generate64()) + QByteArray::number(++m_counter);
    // Letters, digits, "-" and "_", as challenge keys usually look.
    const QString challenge = QString::fromLatin1(
        QCryptographicHash::hash(seed, QCryptographicHash::Sha256)
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    m_challenges.insert(challenge, text);
    return challenge;
}

QString DemoAccounts::challengeText(const QString& challenge) const
{
    QMutexLocker locker(&m_lock);
    return m_challenges.value(challenge);
}

bool DemoAccounts::checkAnswer(const QString& challenge, const QString& answer)
{
    QMutexLocker locker(&m_lock);
    const QString text = m_challenges.take(challenge);
    return !text.isEmpty() && normalised(text) == normalised(answer);
}

QList<int> DemoAccounts::friendsOf(int userId) const
{
    QMutexLocker locker(&m_lock);
    return m_friends.value(userId);
}

bool DemoAccounts::removeFriend(int userId, int friendId)
{
    QMutexLocker locker(&m_lock);
    return m_friends.contains(userId) && m_friends[userId].removeAll(friendId) > 0;
}

void DemoAccounts::addFriend(int userId, int friendId)
{
    QMutexLocker locker(&m_lock);
    if (!m_friends[userId].contains(friendId))
        m_friends[userId].append(friendId);
}

void DemoAccounts::addMessage(const Message& message)
{
    QMutexLocker locker(&m_lock);
    m_messages.append(message);
}

QList<DemoAccounts::Message> DemoAccounts::messagesTo(int userId) const
{
    QMutexLocker locker(&m_lock);
    QList<Message> received;
    for (const Message& message : m_messages) {
        if (message.to == userId)
            received.append(message);
    }
    return received;
}

bool DemoAccounts::sessionRequired() const
{
    QMutexLocker locker(&m_lock);
    return m_sessionRequired;
}

void DemoAccounts::setSessionRequired(bool required)
{
    QMutexLocker locker(&m_lock);
    m_sessionRequired = required;
}

QByteArray DemoAccounts::lastSignInBody() const
{
    QMutexLocker locker(&m_lock);
    return m_lastSignInBody;
}

void DemoAccounts::setLastSignInBody(const QByteArray& body)
{
    QMutexLocker locker(&m_lock);
    m_lastSignInBody = body;
}
