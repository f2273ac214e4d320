#pragma once

#include <QMutex>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The per-application settings store: values by key, written through and flushed by the
// caller when they change. Thread-safe: one lock around the QSettings object, and the file
// is written only by synchronize() (never behind the lock on an event of its own).
// Absent and empty differ: an absent text reads as a null QString, an absent list as nullopt.
class SettingsStore
{
public:
    // The application's store. Its file is the one given to setStandardPath(), or the
    // platform's per-user configuration file of "iTarnvale" when none was given.
    static SettingsStore& standard();
    // Points the application's store at an INI file (tests, the demo's own folder).
    // Must be called before the store is used from other threads.
    static void setStandardPath(const QString& iniFile);

    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();

    QString fileName() const;
    // The folder of the application's store; the application keeps its other files
    // (the cookie jar) beside it.
    static QString standardFolder();

    bool contains(const QString& key) const;
    QString stringForKey(const QString& key) const; // null when absent or not a text
    std::optional<int> integerForKey(const QString& key) const;
    std::optional<bool> boolForKey(const QString& key) const;
    std::optional<QStringList> stringArrayForKey(const QString& key) const;

    void setString(const QString& key, const QString& value);
    void setInteger(const QString& key, int value);
    void setBool(const QString& key, bool value);
    void setStringArray(const QString& key, const QStringList& value);
    void remove(const QString& key);

    // Writes the file atomically with owner-only permissions. Returns false on failure (a
    // full disk, a folder that cannot be written); the values stay in memory meanwhile.
    bool synchronize();
    // The same, saying why it failed: a null text when the file was written, otherwise the
    // reason in a few words ("/home/u/.config/iTarnvale cannot be made: Not a directory").
    QString save();

private:
    mutable QMutex m_lock;
    std::unique_ptr<QSettings> m_settings;
};
