#pragma once

#include <QString>

#include <functional>

// A place for secrets kept apart from the settings file: the desktop's keychain. Every
// operation answers once, later, on the main thread, through its callback; call them on the
// main thread. Destroying the store drops the answers still owed.
class SecretStore
{
public:
    enum class Status {
        Ok,
        NotFound,    // read: no secret under the key; the store itself works
        Unavailable, // no keychain answers at all (no secret service, no session bus)
        Failed,      // the keychain answered but refused (locked, denied, no collection)
    };

    struct Reply
    {
        Status status = Status::Failed;
        QString value;   // what a successful read found
        QString message; // the keychain's own words when it did not succeed
    };

    using Callback = std::function<void(const Reply&)>;

    virtual ~SecretStore() = default;

    virtual void read(const QString& key, Callback done) = 0;
    virtual void write(const QString& key, const QString& value, Callback done) = 0;
};
