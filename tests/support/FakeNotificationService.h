#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Answers Notify as a desktop's notification service does, keeping what it was asked.
// Register it on a session bus connection of its own (tests run on a private bus under
// dbus-run-session) at DesktopNotifier::kPath with ExportAllSlots and take the service name.
class FakeNotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification
    {
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
    };
    QList<Notification> received;

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout);
    QStringList GetCapabilities();
};
