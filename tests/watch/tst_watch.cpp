// The watch against the demo site over loopback: a round signs in with the stored account,
// notes a baseline, reports an upload once; a site that fails (through the faulty relay)
// loses nothing and makes the app's watch wait longer; nothing is asked while signed out.
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FaultyProxy.h"
#include "platform/core/SettingsStore.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "site/SiteHosts.h"
#include "watch/Watch.h"
#include "watch/WatchRun.h"
#include "watch/WatchSettings.h"
#include "watch/WatchSiteReader.h"
#include "watch/WatchState.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kUser = QString::fromLatin1(DemoSite::kDemoUsername);
const QString kPassword = QString::fromLatin1(DemoSite::kDemoPassword);

QStringList names(const QList<WatchMatch>& matches)
{
    QStringList list;
    for (const WatchMatch& match : matches)
        list.append(match.torrent.name());
    return list;
}

} // namespace

class TestWatch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    DemoSite m_site;

    void storeFilters(const QStringList& filters)
    {
        SettingsStore& store = SettingsStore::standard();
        store.setStringArray(SettingsKeys::filters, filters);
        store.setString(SettingsKeys::favoritesCount, QStringLiteral("3"));
        store.remove(WatchState::kKey);
        QVERIFY(store.synchronize());
    }

private Q_SLOTS:
    void initTestCase()
    {
        SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
    }

    void init()
    {
        DemoSiteSetup::forgetSignIn(m_site);
        SiteHosts::setWebHost(m_site.webHost());
        storeFilters({QStringLiteral("Linux|BSD")});
    }

    // Signed out (no cookies), a round signs in with the account, notes what is there, and
    // the next rounds report an upload that matches once, in the stored state's care.
    void signsInAndReportsEachUploadOnce()
    {
        const WatchRun::Outcome baseline = WatchRun::scanOnce(kUser, kPassword, false);
        QVERIFY2(!baseline.failed, qPrintable(baseline.failure.text()));
        QVERIFY(baseline.matches.isEmpty());
        QVERIFY(baseline.saved);

        m_site.addTorrent(QStringLiteral("Slackware Linux 15.1 DVD"));
        m_site.addTorrent(QStringLiteral("Gardening Weekly 2026-50"));
        const WatchRun::Outcome news = WatchRun::scanOnce(kUser, kPassword, false);
        QVERIFY(!news.failed);
        QCOMPARE(names(news.matches), QStringList{QStringLiteral("Slackware Linux 15.1 DVD")});
        QCOMPARE(news.matches.first().filter, QStringLiteral("Linux|BSD"));
        QVERIFY(news.matches.first().torrent.detailsUrl().startsWith(QLatin1String("/torrent/")));

        QVERIFY(WatchRun::scanOnce(kUser, kPassword, false).matches.isEmpty());
    }

    // A refused account fails the round as a sign-in failure, and a reader signs in once at
    // most: the next page that meets the sign-in page fails without a second try.
    void refusedAccountSignsInOnce()
    {
        WatchSiteReader reader(kUser, QStringLiteral("wrong"));
        WatchScan::Page page = reader.read(1);
        QCOMPARE(page.failure.kind, FetchFailure::Kind::SignIn);
        QVERIFY(!m_site.accounts().lastSignInBody().isEmpty());

        m_site.accounts().setLastSignInBody(QByteArray());
        page = reader.read(2);
        QCOMPARE(page.failure.kind, FetchFailure::Kind::SignIn);
        QVERIFY(m_site.accounts().lastSignInBody().isEmpty());
    }

    // The site answering 503 during a round: the round fails with the reason, the seen state
    // stays as it was, and the upload made meanwhile is reported once the site is back.
    void siteDownLosesNoSeenState()
    {
        FaultyProxy proxy(m_site.httpPort());
        QVERIFY(proxy.isListening());
        SiteHosts::setWebHost(QStringLiteral("%1:%2").arg(QLatin1String(DemoSite::kWebHostName)).arg(proxy.port()));
        QVERIFY(!WatchRun::scanOnce(kUser, kPassword, false).failed);
        const QString before = SettingsStore::standard().stringForKey(WatchState::kKey);

        proxy.setFault(FaultyProxy::Fault::Answer503);
        m_site.addTorrent(QStringLiteral("NetBSD 10.2 amd64"));
        const WatchRun::Outcome down = WatchRun::scanOnce(kUser, kPassword, false);
        QVERIFY(down.failed);
        QCOMPARE(down.failure.status, 503);
        QVERIFY(down.matches.isEmpty());
        QCOMPARE(SettingsStore::standard().stringForKey(WatchState::kKey), before);

        proxy.setFault(FaultyProxy::Fault::Relay);
        QCOMPARE(names(WatchRun::scanOnce(kUser, kPassword, false).matches), QStringList{QStringLiteral("NetBSD 10.2 amd64")});
    }

    void pauseGrowsAfterFailures_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("pause");
        QTest::newRow("working") << 30 << 0 << 30;
        QTest::newRow("one failure") << 30 << 1 << 60;
        QTest::newRow("two") << 30 << 2 << 120;
        QTest::newRow("three: the cap") << 30 << 3 << 240;
        QTest::newRow("many") << 30 << 40 << 240;
        QTest::newRow("longest interval") << 240 << 2 << 240;
        QTest::newRow("too short an interval") << 1 << 0 << 15;
        QTest::newRow("too long an interval") << 1000 << 0 << 240;
    }

    void pauseGrowsAfterFailures()
    {
        QFETCH(int, interval);
        QFETCH(int, failures);
        QFETCH(int, pause);
        QCOMPARE(Watch::pauseMinutes(interval, failures), pause);
    }

    // The app's watch: failed rounds plan the next one further off, a round that works
    // brings the interval back, and while signed out no round asks the site anything.
    void watchWaitsLongerAfterFailures()
    {
        FaultyProxy proxy(m_site.httpPort());
        QVERIFY(proxy.isListening());
        SiteHosts::setWebHost(QStringLiteral("%1:%2").arg(QLatin1String(DemoSite::kWebHostName)).arg(proxy.port()));
        bool signedIn = true;
        Watch watch([&signedIn] { return signedIn; }, [] { return qMakePair(kUser, kPassword); });
        QSignalSpy failedSpy(&watch, &Watch::scanFailed);
        QSignalSpy finishedSpy(&watch, &Watch::scanFinished);
        QSignalSpy newSpy(&watch, &Watch::newMatches);
        watch.setRunning(true);
        const int minute = 60 * 1000;
        QVERIFY(watch.remainingMilliseconds() <= WatchSettings::kDefaultInterval * minute);

        proxy.setFault(FaultyProxy::Fault::Answer503);
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(watch.scanNow());
            QVERIFY(!watch.scanNow()); // one round at a time
            QTRY_COMPARE(finishedSpy.size(), round);
            QCOMPARE(watch.failures(), round);
            QCOMPARE(failedSpy.last().at(1).toInt(), WatchSettings::kDefaultInterval << round);
            QVERIFY(watch.remainingMilliseconds() > ((WatchSettings::kDefaultInterval << round) - 1) * minute);
        }

        proxy.setFault(FaultyProxy::Fault::Relay);
        QVERIFY(watch.scanNow());
        QTRY_COMPARE(finishedSpy.size(), 3);
        QCOMPARE(watch.failures(), 0);
        QVERIFY2(watch.remainingMilliseconds() <= WatchSettings::kDefaultInterval * minute, qPrintable(QString::number(watch.remainingMilliseconds())));

        m_site.addTorrent(QStringLiteral("Alpine Linux 3.23"));
        QVERIFY(watch.scanNow());
        QTRY_COMPARE(newSpy.size(), 1);
        QCOMPARE(names(newSpy.first().first().value<QList<WatchMatch>>()), QStringList{QStringLiteral("Alpine Linux 3.23")});

        signedIn = false;
        const int connections = proxy.connectionCount();
        QVERIFY(!watch.scanNow());
        QCOMPARE(proxy.connectionCount(), connections);
    }
};

QTEST_GUILESS_MAIN(TestWatch)
#include "tst_watch.moc"
