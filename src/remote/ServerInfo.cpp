#include "remote/ServerInfo.h"

#include "platform/core/SettingsStore.h"
#include "settings/SecretSettings.h"
#include "settings/SettingsKeys.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// The class lock. Never taken twice on one thread: load() runs under sharedInstance()'s hold,
// and the stores it writes to never call back here.
QMutex& classLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

ServerInfo& ServerInfo::sharedInstance()
{
    QMutexLocker locker(&classLock());
    static ServerInfo* instance = new ServerInfo; // lives for the whole run
    instance->load();
    return *instance;
}

void ServerInfo::load()
{
    SettingsStore& store = SettingsStore::standard();
    m_settings.client = store.stringForKey(SettingsKeys::serverClient);
    m_settings.address = store.stringForKey(SettingsKeys::serverAddress);
    m_settings.port = store.stringForKey(SettingsKeys::serverPort);
    m_settings.username = store.stringForKey(SettingsKeys::serverUser);
    m_settings.password = SecretSettings::shared().value(SettingsKeys::serverPassword);
}

QString ServerInfo::client() const
{
    QMutexLocker locker(&classLock());
    return m_settings.client;
}

QString ServerInfo::address() const
{
    QMutexLocker locker(&classLock());
    return m_settings.address;
}

QString ServerInfo::port() const
{
    QMutexLocker locker(&classLock());
    return m_settings.port;
}

QString ServerInfo::username() const
{
    QMutexLocker locker(&classLock());
    return m_settings.username;
}

QString ServerInfo::password() const
{
    QMutexLocker locker(&classLock());
    return m_settings.password;
}

ServerInfo::Settings ServerInfo::settings() const
{
    QMutexLocker locker(&classLock());
    return m_settings;
}

SaveResult ServerInfo::store(QString& field, const QString& key, const QString& value)
{
    QMutexLocker locker(&classLock());
    // Null and empty differ: storing an empty text over an absent one is a change.
    if (field == value && field.isNull() == value.isNull())
        return SaveResult();
    field = value;
    if (SecretSettings::isSecret(key)) {
        // The keychain takes it off this thread; SecretSettings keeps what it could not write.
        SecretSettings::shared().setValue(key, value);
        return SaveResult();
    }
    SettingsStore& settings = SettingsStore::standard();
    settings.setString(key, value);
    return SaveResult::fromStore(settings.save());
}

SaveResult ServerInfo::setClient(const QString& client)
{
    return store(m_settings.client, SettingsKeys::serverClient, client);
}

SaveResult ServerInfo::setAddress(const QString& address)
{
    return store(m_settings.address, SettingsKeys::serverAddress, address);
}

SaveResult ServerInfo::setPort(const QString& port)
{
    return store(m_settings.port, SettingsKeys::serverPort, port);
}

SaveResult ServerInfo::setUsername(const QString& username)
{
    return store(m_settings.username, SettingsKeys::serverUser, username);
}

SaveResult ServerInfo::setPassword(const QString& password)
{
    return store(m_settings.password, SettingsKeys::serverPassword, password);
}
