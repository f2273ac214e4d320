// The app's watch from a round to the desktop: with the switch on and the tabs shown, an
// upload matching a filter becomes one notification on the session bus (a notification
// service of the test's own on a private bus, under dbus-run-session), counted as unseen, and
// a click on it opens Favourites and counts it seen. Switched off, no round asks the site.
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FakeNotificationService.h"
#include "app/FavoritesWatch.h"
#include "platform/core/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "watch/DesktopNotifier.h"
#include "watch/Watch.h"
#include "watch/WatchSettings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

class TestFavoritesWatch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    DemoSite m_site;
    FakeNotificationService m_service;
    std::optional<QDBusConnection> m_serviceBus;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no session bus: run under dbus-run-session");
        m_serviceBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications"));
        QVERIFY(m_serviceBus->registerObject(DesktopNotifier::kPath, &m_service, QDBusConnection::ExportAllSlots));
        QVERIFY(m_serviceBus->registerService(DesktopNotifier::kService));
        SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
        SettingsStore::standard().setStringArray(SettingsKeys::filters, {QStringLiteral("Linux|BSD")});
    }

    void newMatchNotifiedAndAClickOpensFavorites()
    {
        QVERIFY(WatchSettings::setEnabled(true));
        int opened = 0;
        FavoritesWatch favorites([] { return true; }, [&opened] { ++opened; });
        QSignalSpy finished(favorites.watch(), &Watch::scanFinished);
        // The first round, a moment after the tabs show, is the baseline.
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QVERIFY(m_service.received.isEmpty());

        m_site.addTorrent(QStringLiteral("GhostBSD 26.1"));
        m_site.addTorrent(QStringLiteral("Weather Almanac 2027"));
        QVERIFY(favorites.watch()->scanNow());
        QTRY_COMPARE_WITH_TIMEOUT(m_service.received.size(), 1, 30000);
        QCOMPARE(m_service.received.first().summary, QStringLiteral("A new torrent for your favourites"));
        QCOMPARE(m_service.received.first().body, QStringLiteral("GhostBSD 26.1"));
        QCOMPARE(favorites.unseenCount(), 1);
        QCOMPARE(favorites.trayIcon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());

        QTRY_VERIFY(favorites.notifier()->currentId() != 0);
        QDBusMessage click = QDBusMessage::createSignal(DesktopNotifier::kPath, DesktopNotifier::kInterface,
                                                        QStringLiteral("ActionInvoked"));
        click.setArguments({favorites.notifier()->currentId(), QStringLiteral("default")});
        QVERIFY(m_serviceBus->send(click));
        QTRY_COMPARE(opened, 1);
        QCOMPARE(favorites.unseenCount(), 0);

        // Switched off: a round asks nothing of the site.
        QVERIFY(WatchSettings::setEnabled(false));
        m_site.clearAnsweredPages();
        QVERIFY(!favorites.watch()->scanNow());
        QVERIFY(m_site.answeredPages().isEmpty());
    }
};

QTEST_MAIN(TestFavoritesWatch)
#include "bus_favoriteswatch.moc"
