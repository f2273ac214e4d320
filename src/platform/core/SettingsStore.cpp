#include "platform/core/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QMutex g_standardLock;
QString g_standardPath;
SettingsStore* g_standard = nullptr;

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/iTarnvale/iTarnvale.ini");
}

// Makes the folder (owner-only when we create it) and an empty owner-only file, so that
// QSettings' atomic save, which keeps the permissions of the file it replaces, never
// leaves the settings readable by others, not even for a moment. A null text when it could;
// otherwise why not.
QString prepareOwnerOnlyFile(const QString& file)
{
    const QFileInfo info(file);
    QDir dir = info.absoluteDir();
    if (!dir.exists()) {
        const QString folder = QDir::toNativeSeparators(dir.absolutePath());
        if (QFileInfo::exists(dir.absolutePath()))
            return QStringLiteral("%1 is a file, not a folder").arg(folder);
        if (!QDir().mkpath(dir.absolutePath())) {
            // mkpath keeps no error of its own: mkdir once more for it.
            const int error = ::mkdir(QFile::encodeName(dir.absolutePath()).constData(), 0700) == 0 ? 0 : errno;
            return QStringLiteral("%1 cannot be made: %2").arg(folder, qt_error_string(error ? error : EACCES));
        }
        ::chmod(QFile::encodeName(dir.absolutePath()).constData(), 0700);
    }
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return QStringLiteral("%1 cannot be written: %2")
            .arg(QDir::toNativeSeparators(info.absoluteFilePath()), qt_error_string(errno));
    }
    ::fchmod(fd, 0600);
    ::close(fd);
    return QString();
}

// QSettings locks its file with "<file>.lock" while it saves. A process killed between
// creating that lock and writing its process id into it leaves an empty lock, which QSettings
// takes for a live one until it is 30 s old: the next save (on the main thread, often) would
// hang that long. Taking and dropping the lock ourselves first, with a short stale time,
// clears such a lock after kStaleLockMilliseconds; a live save holds it for a moment only.
constexpr int kStaleLockMilliseconds = 2000;
constexpr int kLockWaitMilliseconds = 3 * kStaleLockMilliseconds;

void clearAbandonedLock(const QString& file)
{
    QLockFile lock(file + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMilliseconds);
    if (lock.tryLock(kLockWaitMilliseconds))
        lock.unlock();
}

// QSettings saves itself on a deferred event of its thread's loop, which would run outside
// the store's lock while a worker writes. An object of no thread gets no events, so the file
// is written only by synchronize(), under the lock.
std::unique_ptr<QSettings> makeSettings(const QString& iniFile)
{
    auto settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    settings->moveToThread(nullptr);
    return settings;
}

} // namespace

SettingsStore& SettingsStore::standard()
{
    QMutexLocker locker(&g_standardLock);
    if (!g_standard)
        g_standard = new SettingsStore(g_standardPath.isEmpty() ? defaultPath() : g_standardPath);
    return *g_standard;
}

void SettingsStore::setStandardPath(const QString& iniFile)
{
    QMutexLocker locker(&g_standardLock);
    g_standardPath = iniFile;
    if (g_standard) {
        // Re-point the existing store so that references handed out stay valid.
        QMutexLocker storeLocker(&g_standard->m_lock);
        g_standard->m_settings->sync();
        g_standard->m_settings = makeSettings(iniFile);
    }
}

QString SettingsStore::standardFolder()
{
    return QFileInfo(standard().fileName()).absolutePath();
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(makeSettings(iniFile))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const
{
    QMutexLocker locker(&m_lock);
    return m_settings->fileName();
}

bool SettingsStore::contains(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    return m_settings->contains(key);
}

// INI keeps no types: every scalar reads back as text and a list as a list of texts,
// except that a one-element list reads back as a text and an empty list as an invalid
// value (stored as "@Invalid()"), which is why contains() decides presence below.
QString SettingsStore::stringForKey(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    const QVariant value = m_settings->value(key);
    if (value.typeId() != QMetaType::QString)
        return QString();
    QString text = value.toString();
    if (text.isNull())
        text = QLatin1String(""); // a stored empty text is present
    return text;
}

std::optional<int> SettingsStore::integerForKey(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    const QVariant value = m_settings->value(key);
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int)
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<bool> SettingsStore::boolForKey(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0;
}

std::optional<QStringList> SettingsStore::stringArrayForKey(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    if (!m_settings->contains(key))
        return std::nullopt;
    const QVariant value = m_settings->value(key);
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return value.toStringList();
    case QMetaType::QVariantList: {
        QStringList list;
        for (const QVariant& item : value.toList())
            list.append(item.toString());
        return list;
    }
    case QMetaType::QString:
        return QStringList{value.toString()};
    case QMetaType::UnknownType:
        return QStringList(); // an empty list is stored as "@Invalid()"
    default:
        return std::nullopt;
    }
}

void SettingsStore::setString(const QString& key, const QString& value)
{
    QMutexLocker locker(&m_lock);
    // A null text would be written as "@Invalid()" and read back as an empty list.
    m_settings->setValue(key, value.isNull() ? QString(QLatin1String("")) : value);
}

void SettingsStore::setInteger(const QString& key, int value)
{
    QMutexLocker locker(&m_lock);
    m_settings->setValue(key, value);
}

void SettingsStore::setBool(const QString& key, bool value)
{
    QMutexLocker locker(&m_lock);
    m_settings->setValue(key, value);
}

void SettingsStore::setStringArray(const QString& key, const QStringList& value)
{
    QMutexLocker locker(&m_lock);
    if (value.isEmpty())
        m_settings->setValue(key, QVariant()); // written as "@Invalid()", read as empty list
    else
        m_settings->setValue(key, value);
}

void SettingsStore::remove(const QString& key)
{
    QMutexLocker locker(&m_lock);
    m_settings->remove(key);
}

bool SettingsStore::synchronize()
{
    return save().isNull();
}

QString SettingsStore::save()
{
    QMutexLocker locker(&m_lock);
    const QString file = m_settings->fileName();
    const QString prepared = prepareOwnerOnlyFile(file);
    if (!prepared.isNull())
        return prepared;
    clearAbandonedLock(file);
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        break;
    case QSettings::FormatError:
        return QStringLiteral("%1 is not a settings file").arg(QDir::toNativeSeparators(file));
    case QSettings::AccessError:
        // QSettings keeps no reason; a full disk is the usual one once the file could be opened.
        return QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(file));
    }
    // QSaveFile keeps the replaced file's mode, but enforce it should anyone have widened it.
    if (!QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return QStringLiteral("the permissions of %1 cannot be set").arg(QDir::toNativeSeparators(file));
    return QString();
}
