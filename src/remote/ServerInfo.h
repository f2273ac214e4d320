#pragma once

#include "settings/SaveResult.h"

#include <QString>

// The remote client settings, one shared instance for the whole run. Every call of
// sharedInstance() reloads the five fields from the settings store, so a caller always sees
// the latest stored values. Creation, reloading, the getters and the setters all run under
// one class-wide lock: workers (downloads, the web interface fetch) and the settings screen
// on the main thread use it at the same time.
class ServerInfo
{
public:
    // The five settings read together under the lock.
    struct Settings
    {
        QString client;
        QString address;
        QString port;
        QString username;
        QString password;
    };

    static ServerInfo& sharedInstance();

    // Each absent (null) until stored.
    QString client() const;
    QString address() const;
    QString port() const;
    QString username() const;
    QString password() const;
    Settings settings() const;

    // When the value differs from the current one: replace it, write it under its key and
    // flush the store at once. Otherwise nothing happens. A value the file could not take is
    // used for this run all the same; the answer says it was not saved.
    SaveResult setClient(const QString& client);
    SaveResult setAddress(const QString& address);
    SaveResult setPort(const QString& port);
    SaveResult setUsername(const QString& username);
    SaveResult setPassword(const QString& password);

private:
    ServerInfo() = default;
    void load();
    SaveResult store(QString& field, const QString& key, const QString& value);

    Settings m_settings;
};
