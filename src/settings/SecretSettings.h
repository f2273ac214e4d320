#pragma once

#include "platform/core/SecretStore.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QEventLoop;
class SettingsStore;

// The two passwords (the site's and the remote client's), kept in the desktop's keychain
// under their keys' names when one answers, in the settings file otherwise.
//
// Until start() it passes every read and write through to the settings file, as tests and
// the command-line tools use it. start() asks the keychain for both passwords; from its first
// answer on, reads come from an in-memory copy (immediate, any thread) and every write goes
// to the keychain at once, one job per key at a time, off the caller's thread. A password the
// settings file still holds in plain (an older version's, or one the keychain refused) is
// newer than the keychain's: it is written to the keychain and removed from the file only
// once the keychain has taken it. When no keychain answers the first time, the settings file
// (owner-only) stays the store for the run, which is said once on the console; when the
// keychain refuses a write, the value goes to the file instead and moves on a later start.
class SecretSettings
{
public:
    enum class Mode {
        SettingsFile, // not started, or no keychain answered: the file holds the passwords
        Probing,      // started, no answer yet: reads see the file, writes wait
        Keychain,     // the keychain answers: reads see the copy, writes go to the keychain
    };

    // The application's, over SettingsStore::standard().
    static SecretSettings& shared();
    // The keys whose values are secrets.
    static const QStringList& keys();
    static bool isSecret(const QString& key);

    explicit SecretSettings(SettingsStore& file);
    ~SecretSettings();

    // The keychain's service name for this settings file: "iTarnvale" for the user's own,
    // one naming the file for any other (the demo's, one a tool was pointed at), so that their
    // passwords never replace the user's.
    QString keychainService(bool usersOwnFile) const;

    // Main thread, once. Returns at once; the answers come through the main loop.
    void start(std::unique_ptr<SecretStore> keychain);
    // Runs the main loop until the keychain has answered for every key, or no keychain
    // answered, or the time is up (the answers then still count when they come). True when
    // the passwords are known.
    bool waitUntilLoaded(std::chrono::milliseconds timeout);
    // Runs the main loop until the keychain has taken every write or the time is up; whatever
    // it has not taken by then is written to the settings file, so that nothing is lost.
    // Runs by itself when the application is about to quit.
    void finish(std::chrono::milliseconds timeout);

    Mode mode() const;

    // True once what value(key) gives is the store's own answer: the keychain has answered
    // for the key, or the settings file holds the passwords. Until then value() gives the
    // file's copy, which a slow keychain (a locked keyring asking the user) may still replace.
    bool isLoaded(const QString& key) const;
    // Runs `done` on the main thread once isLoaded(key) (soon, when it is already); never once
    // `receiver` is gone.
    void whenLoaded(const QString& key, QObject* receiver, std::function<void()> done);

    QString value(const QString& key) const; // null when absent
    // Before the keychain has answered for the key, writing back the value it already gives
    // (a form saving the fields it was filled with) changes nothing: the answer still counts.
    void setValue(const QString& key, const QString& value);

private:
    struct Entry
    {
        QString value;                 // the copy reads see in Keychain mode
        bool loaded = false;           // the keychain has answered the read
        bool written = false;          // set since start(): outranks what the read finds
        bool inFlight = false;         // a keychain write is under way
        std::optional<QString> queued; // the next value to write to the keychain
    };

    void onRead(const QString& key, const SecretStore::Reply& reply);
    void onWritten(const QString& key, const SecretStore::Reply& reply);
    void writeNext(const QString& key);
    void fallBackLocked(const QString& why);
    void writePlainLocked(const QString& key, const QString& value);
    void removePlainLocked(const QString& key);
    void sayOnceLocked(const QString& message);
    // Runs the main loop until done() holds (asked under the lock) or the time is up.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    bool loadedLocked() const;
    bool keyLoadedLocked(const QString& key) const;
    // Posts the waiting whenLoaded() calls whose key is now loaded.
    void notifyLoadedLocked();
    bool settledLocked() const;
    void wakeWaiterLocked();

    SettingsStore& m_file;
    mutable QMutex m_lock;
    Mode m_mode = Mode::SettingsFile;
    std::unique_ptr<SecretStore> m_keychain;
    QHash<QString, Entry> m_entries;
    bool m_said = false;
    QPointer<QEventLoop> m_waiter;
    struct LoadWatch
    {
        QString key;
        QPointer<QObject> receiver;
        std::function<void()> done;
    };
    QList<LoadWatch> m_loadWatches;
    std::unique_ptr<QObject> m_context; // ends the quit hook with this object
};
