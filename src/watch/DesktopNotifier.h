#pragma once

#include "watch/WatchMatch.h"

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

// Tells the desktop of new matches through the freedesktop notification service on the
// session bus: one notification that sums them (a later one takes the place of one still
// shown), with a default action, so that a click on it comes back as activated(). Torrent
// names are the site's text: they are escaped, as the service may read the body as markup.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    static const QString kService;   // "org.freedesktop.Notifications"
    static const QString kPath;      // "/org/freedesktop/Notifications"
    static const QString kInterface; // "org.freedesktop.Notifications"
    static constexpr int kNamesShown = 5;

    explicit DesktopNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // Whether the bus is there to ask; without one notify() does nothing.
    bool isAvailable() const { return m_bus.isConnected(); }
    void notify(const QList<WatchMatch>& matches);
    // The id of the notification shown now; 0 when none is.
    uint currentId() const { return m_id; }

    static QString summary(int count);
    static QString body(const QList<WatchMatch>& matches);

Q_SIGNALS:
    // The user clicked the notification.
    void activated();
    // The service answered the notification with its id, or refused it.
    void shown(uint id);
    void failed(const QString& reason);

private Q_SLOTS:
    void actionInvoked(uint id, const QString& action);
    void closed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    uint m_id = 0; // the notification shown now; 0 when none
};
