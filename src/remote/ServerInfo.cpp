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

void ServerInfo::store(QString& field, const QString& key, const QString& value)
{
    QMutexLocker locker(&classLock());
    // Null and empty differ: storing an empty text over an absent one is a change.
    if (field == value && field.isNull() == value.isNull())
        return;
    field = value;
    if (SecretSettings::isSecret(key)) {
        SecretSettings::shared().setValue(key, value);
        return;
    }
    SettingsStore& settings = SettingsStore::standard();
    settings.setString(key, value);
    settings.synchronize();
}

void ServerInfo::setClient(const QString& client)
{
    store(m_settings.client, SettingsKeys::serverClient, client);
}

void ServerInfo::setAddress(const QString& address)
{
    store(m_settings.address, SettingsKeys::serverAddress, address);
}

void ServerInfo::setPort(const QString& port)
{
    store(m_settings.port, SettingsKeys::serverPort, port);
}

void ServerInfo::setUsername(const QString& username)
{
    store(m_settings.username, SettingsKeys::serverUser, username);
}

void ServerInfo::setPassword(const QString& password)
{
    store(m_settings.password, SettingsKeys::serverPassword, password);
}
