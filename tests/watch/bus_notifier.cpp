// The desktop notification of new matches against a small notification service of the
// test's own on a private session bus (run under dbus-run-session, see tests/CMakeLists.txt):
// one notification sums several matches, a later one replaces it, names are escaped, and a
// click on it (the service's ActionInvoked) comes back as activated().
#include "FakeNotificationService.h"
#include "watch/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

namespace {

QList<WatchMatch> matches(const QStringList& names)
{
    QList<WatchMatch> list;
    for (const QString& name : names) {
        WatchMatch match;
        match.torrent.setName(name);
        match.filter = QStringLiteral("Linux|BSD");
        list.append(match);
    }
    return list;
}

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

private:
    FakeNotificationService m_service;
    std::optional<QDBusConnection> m_serviceBus;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no session bus: run under dbus-run-session");
        // The service on a connection of its own, as another process would hold it.
        m_serviceBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications"));
        QVERIFY(m_serviceBus->registerObject(DesktopNotifier::kPath, &m_service, QDBusConnection::ExportAllSlots));
        QVERIFY(m_serviceBus->registerService(DesktopNotifier::kService));
    }

    void oneNotificationSumsSeveralAndAClickOpens()
    {
        DesktopNotifier notifier;
        QVERIFY(notifier.isAvailable());
        QSignalSpy shown(&notifier, &DesktopNotifier::shown);
        QSignalSpy activated(&notifier, &DesktopNotifier::activated);

        const QStringList names{QStringLiteral("Debian <b>13</b> & co"), QStringLiteral("FreeBSD 15"), QStringLiteral("a"),
                                QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")};
        notifier.notify(matches(names));
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(m_service.received.size(), 1);
        const FakeNotificationService::Notification first = m_service.received.first();
        QCOMPARE(first.replaces, 0u);
        QCOMPARE(first.summary, QStringLiteral("7 new torrents for your favourites"));
        QCOMPARE(first.body, QStringLiteral("Debian &lt;b&gt;13&lt;/b&gt; &amp; co\nFreeBSD 15\na\nb\nc\nand 2 more"));
        QVERIFY(first.actions.contains(QStringLiteral("default")));
        const uint id = shown.first().first().toUInt();

        notifier.notify(matches({QStringLiteral("OpenBSD 7.8")}));
        QTRY_COMPARE(shown.size(), 2);
        QCOMPARE(m_service.received.last().replaces, id);
        QCOMPARE(m_service.received.last().summary, QStringLiteral("A new torrent for your favourites"));

        // Another program's notification clicked: not ours.
        emitSignal(QStringLiteral("ActionInvoked"), {id + 100, QStringLiteral("default")});
        emitSignal(QStringLiteral("ActionInvoked"), {id, QStringLiteral("default")});
        QTRY_COMPARE(activated.size(), 1);

        // Once closed, the next notification is a new one.
        emitSignal(QStringLiteral("NotificationClosed"), {id, 2u});
        QTRY_COMPARE(notifier.currentId(), 0u);
        notifier.notify(matches({QStringLiteral("NetBSD 10")}));
        QTRY_COMPARE(shown.size(), 3);
        QCOMPARE(m_service.received.last().replaces, 0u);
        QCOMPARE(activated.size(), 1);
    }

    void noServiceSaysSo()
    {
        m_serviceBus->unregisterService(DesktopNotifier::kService);
        DesktopNotifier notifier;
        QSignalSpy failed(&notifier, &DesktopNotifier::failed);
        notifier.notify(matches({QStringLiteral("Linux")}));
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(m_serviceBus->registerService(DesktopNotifier::kService));
    }

private:
    void emitSignal(const QString& name, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createSignal(DesktopNotifier::kPath, DesktopNotifier::kInterface, name);
        message.setArguments(arguments);
        QVERIFY(m_serviceBus->send(message));
    }
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "bus_notifier.moc"
