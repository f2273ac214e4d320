#include "watch/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

const QString DesktopNotifier::kService = QStringLiteral("org.freedesktop.Notifications");
const QString DesktopNotifier::kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString DesktopNotifier::kInterface = QStringLiteral("org.freedesktop.Notifications");

namespace {

const QString kDefaultAction = QStringLiteral("default");

} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(actionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(closed(uint, uint)));
}

QString DesktopNotifier::summary(int count)
{
    return count == 1 ? QStringLiteral("A new torrent for your favourites")
                      : QStringLiteral("%1 new torrents for your favourites").arg(count);
}

QString DesktopNotifier::body(const QList<WatchMatch>& matches)
{
    QStringList lines;
    for (qsizetype i = 0; i < matches.size() && i < kNamesShown; ++i)
        lines.append(matches.at(i).torrent.name().toHtmlEscaped());
    if (matches.size() > kNamesShown)
        lines.append(QStringLiteral("and %1 more").arg(matches.size() - kNamesShown));
    return lines.join(QLatin1Char('\n'));
}

void DesktopNotifier::notify(const QList<WatchMatch>& matches)
{
    if (matches.isEmpty() || !m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    // The service finds the app's name and icon by its desktop entry.
    const QString entry = QGuiApplication::desktopFileName();
    QVariantMap hints{{QStringLiteral("category"), QStringLiteral("transfer")}};
    if (!entry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), entry);
    call << QStringLiteral("iTarnvale") << m_id << entry << summary(int(matches.size()))
         << body(matches) << QStringList{kDefaultAction, QStringLiteral("Open Favourites")} << hints << -1;
    // Never waited for: a service that is slow or gone must not hold the app.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isError()) {
            Q_EMIT failed(reply.error().message());
            return;
        }
        m_id = reply.value();
        Q_EMIT shown(m_id);
    });
}

void DesktopNotifier::actionInvoked(uint id, const QString& action)
{
    if (id != 0 && id == m_id && action == kDefaultAction)
        Q_EMIT activated();
}

void DesktopNotifier::closed(uint id, uint)
{
    if (id == m_id)
        m_id = 0;
}
