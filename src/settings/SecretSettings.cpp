#include "settings/SecretSettings.h"

#include "platform/core/SettingsStore.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <cstdio>

namespace {

// How long the quit waits for the keychain to take the last writes.
constexpr std::chrono::seconds kQuitWait{3};

// " (the keychain's words)", or nothing when it gave none.
QString because(const QString& message)
{
    return message.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(message);
}

} // namespace

SecretSettings& SecretSettings::shared()
{
    static SecretSettings* instance = new SecretSettings(SettingsStore::standard()); // whole run
    return *instance;
}

const QStringList& SecretSettings::keys()
{
    static const QStringList secretKeys{SettingsKeys::password, SettingsKeys::serverPassword};
    return secretKeys;
}

bool SecretSettings::isSecret(const QString& key)
{
    return keys().contains(key);
}

SecretSettings::SecretSettings(SettingsStore& file)
    : m_file(file)
{
}

SecretSettings::~SecretSettings() = default;

QString SecretSettings::keychainService(bool usersOwnFile) const
{
    if (usersOwnFile)
        return QStringLiteral("iTarnvale");
    return QStringLiteral("iTarnvale (%1)").arg(m_file.fileName());
}

void SecretSettings::start(std::unique_ptr<SecretStore> keychain)
{
    {
        QMutexLocker locker(&m_lock);
        if (m_keychain || !keychain)
            return;
        m_keychain = std::move(keychain);
        m_context = std::make_unique<QObject>();
        m_mode = Mode::Probing;
        for (const QString& key : keys())
            m_entries[key].value = m_file.stringForKey(key);
    }
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QObject::connect(app, &QCoreApplication::aboutToQuit, m_context.get(), [this] { finish(kQuitWait); });
    }
    // Reading both passwords is the probe: the first answer tells whether a keychain works.
    for (const QString& key : keys())
        m_keychain->read(key, [this, key](const SecretStore::Reply& reply) { onRead(key, reply); });
}

SecretSettings::Mode SecretSettings::mode() const
{
    QMutexLocker locker(&m_lock);
    return m_mode;
}

bool SecretSettings::isLoaded(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    return keyLoadedLocked(key);
}

void SecretSettings::whenLoaded(const QString& key, QObject* receiver, std::function<void()> done)
{
    QMutexLocker locker(&m_lock);
    m_loadWatches.append({key, receiver, std::move(done)});
    notifyLoadedLocked();
}

QString SecretSettings::value(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    if (m_mode == Mode::SettingsFile || !m_entries.contains(key))
        return m_file.stringForKey(key);
    return m_entries.value(key).value;
}

void SecretSettings::setValue(const QString& key, const QString& value)
{
    // The settings file keeps a null text as an empty one; so does the copy.
    const QString text = value.isNull() ? QString(QLatin1String("")) : value;
    QMutexLocker locker(&m_lock);
    if (m_mode == Mode::SettingsFile || !m_entries.contains(key)) {
        m_file.setString(key, text);
        m_file.synchronize();
        return;
    }
    Entry& entry = m_entries[key];
    // Not a new password: the field still shows what it was given before the keychain
    // answered, and writing it would put that over the keychain's own (an empty one included).
    if (!entry.loaded && entry.value == text)
        return;
    const bool alreadyKept = m_mode == Mode::Keychain && entry.loaded && entry.value == text && !entry.inFlight
        && !entry.queued && !m_file.contains(key);
    entry.value = text;
    entry.written = true;
    if (alreadyKept)
        return;
    entry.queued = text;
    // Keychain jobs belong to the main thread; a write waits there for the one before it.
    if (m_mode == Mode::Keychain && !entry.inFlight)
        QMetaObject::invokeMethod(m_context.get(), [this, key] { writeNext(key); }, Qt::QueuedConnection);
}

void SecretSettings::onRead(const QString& key, const SecretStore::Reply& reply)
{
    QStringList ready;
    {
        QMutexLocker locker(&m_lock);
        if (m_mode == Mode::SettingsFile)
            return; // decided already: an earlier probe found no keychain
        Entry& entry = m_entries[key];
        const bool answered = reply.status == SecretStore::Status::Ok || reply.status == SecretStore::Status::NotFound;
        if (!answered && m_mode == Mode::Probing) {
            fallBackLocked(reply.message);
            return;
        }
        entry.loaded = true;
        if (!answered) {
            // The keychain works but would not give this one: the file's value (if any) stays
            // in the copy and in the file.
            sayOnceLocked(QStringLiteral("the keychain did not give %1%2; its value in %3 is kept")
                              .arg(key, because(reply.message), m_file.fileName()));
        } else {
            m_mode = Mode::Keychain;
            const QString plain = m_file.stringForKey(key);
            if (!entry.written) {
                if (!plain.isNull()) {
                    // Typed after the keychain's copy was made: it goes to the keychain.
                    entry.value = plain;
                    if (reply.status == SecretStore::Status::Ok && reply.value == plain)
                        removePlainLocked(key);
                    else
                        entry.queued = plain;
                } else {
                    entry.value = reply.status == SecretStore::Status::Ok ? reply.value : QString();
                }
            }
        }
        // Writes made before the first answer go now that the keychain is known to work.
        if (m_mode == Mode::Keychain) {
            for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
                if (it->queued && !it->inFlight)
                    ready.append(it.key());
            }
        }
        wakeWaiterLocked();
    }
    for (const QString& next : ready)
        writeNext(next);
}

void SecretSettings::writeNext(const QString& key)
{
    QString text;
    {
        QMutexLocker locker(&m_lock);
        Entry& entry = m_entries[key];
        if (m_mode != Mode::Keychain || entry.inFlight || !entry.queued)
            return;
        text = *entry.queued;
        entry.queued.reset();
        entry.inFlight = true;
    }
    m_keychain->write(key, text, [this, key](const SecretStore::Reply& reply) { onWritten(key, reply); });
}

void SecretSettings::onWritten(const QString& key, const SecretStore::Reply& reply)
{
    bool more = false;
    {
        QMutexLocker locker(&m_lock);
        Entry& entry = m_entries[key];
        entry.inFlight = false;
        if (reply.status == SecretStore::Status::Ok) {
            // Only now may a plain copy go: the keychain holds this value or, queued, a newer one.
            removePlainLocked(key);
        } else {
            // Nothing is lost: the newest value waits in the file for a later start.
            writePlainLocked(key, entry.value);
            sayOnceLocked(QStringLiteral("the keychain did not take %1%2; it is kept in %3, readable by "
                                         "this user only, and moved on a later start")
                              .arg(key, because(reply.message), m_file.fileName()));
        }
        more = entry.queued.has_value();
        wakeWaiterLocked();
    }
    if (more)
        writeNext(key);
}

bool SecretSettings::waitUntilLoaded(std::chrono::milliseconds timeout)
{
    return runUntil([this] { return loadedLocked(); }, timeout);
}

void SecretSettings::finish(std::chrono::milliseconds timeout)
{
    if (mode() == Mode::SettingsFile)
        return;
    runUntil([this] { return settledLocked(); }, timeout);
    QMutexLocker locker(&m_lock);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->queued || it->inFlight || (m_mode == Mode::Probing && it->written)) {
            writePlainLocked(it.key(), it->value);
            it->queued.reset();
            sayOnceLocked(QStringLiteral("the keychain did not answer in time; %1 is kept in %2, readable by "
                                         "this user only, and moved on a later start")
                              .arg(it.key(), m_file.fileName()));
        }
    }
}

bool SecretSettings::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        QEventLoop loop;
        {
            QMutexLocker locker(&m_lock);
            if (done())
                return true;
            if (deadline.hasExpired() || !QCoreApplication::instance())
                return false;
            m_waiter = &loop;
        }
        QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()), &loop,
                           &QEventLoop::quit);
        loop.exec();
        QMutexLocker locker(&m_lock);
        m_waiter = nullptr;
    }
}

void SecretSettings::fallBackLocked(const QString& why)
{
    m_mode = Mode::SettingsFile;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->written)
            writePlainLocked(it.key(), it->value);
        it->queued.reset();
    }
    sayOnceLocked(QStringLiteral("no keychain answers%1; passwords are kept in %2, readable by this user only")
                      .arg(because(why), m_file.fileName()));
    wakeWaiterLocked();
}

void SecretSettings::writePlainLocked(const QString& key, const QString& value)
{
    m_file.setString(key, value);
    m_file.synchronize();
}

void SecretSettings::removePlainLocked(const QString& key)
{
    if (!m_file.contains(key))
        return;
    m_file.remove(key);
    m_file.synchronize();
}

void SecretSettings::sayOnceLocked(const QString& message)
{
    if (m_said)
        return;
    m_said = true;
    std::fprintf(stderr, "itarnvale: %s\n", qPrintable(message));
    std::fflush(stderr);
}

bool SecretSettings::loadedLocked() const
{
    if (m_mode == Mode::SettingsFile)
        return true;
    for (const Entry& entry : m_entries) {
        if (!entry.loaded)
            return false;
    }
    return true;
}

bool SecretSettings::settledLocked() const
{
    if (m_mode == Mode::SettingsFile)
        return true;
    for (const Entry& entry : m_entries) {
        if (entry.inFlight || entry.queued || (m_mode == Mode::Probing && entry.written))
            return false;
    }
    return true;
}

void SecretSettings::wakeWaiterLocked()
{
    notifyLoadedLocked();
    if (m_waiter)
        m_waiter->quit();
}

bool SecretSettings::keyLoadedLocked(const QString& key) const
{
    if (m_mode == Mode::SettingsFile || !m_entries.contains(key))
        return true;
    return m_entries.value(key).loaded;
}

void SecretSettings::notifyLoadedLocked()
{
    for (auto it = m_loadWatches.begin(); it != m_loadWatches.end();) {
        if (!it->receiver) {
            it = m_loadWatches.erase(it);
        } else if (keyLoadedLocked(it->key)) {
            // Queued: never under this lock, and never inside the caller's own step.
            QMetaObject::invokeMethod(it->receiver.data(), std::move(it->done), Qt::QueuedConnection);
            it = m_loadWatches.erase(it);
        } else {
            ++it;
        }
    }
}
