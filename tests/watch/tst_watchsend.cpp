// New matches of a filter marked for sending go to a real transmission-daemon through the
// ordinary hand-off: one torrent per new match, none twice (not when the download history or
// the client holds it already, nor in a later round), and no more a day than the setting; a
// match whose sending failed goes in a later round, and not after some days.
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "DemoTorrentFile.h"
#include "TransmissionDaemon.h"
#include "platform/core/SettingsStore.h"
#include "remote/ServerInfo.h"
#include "settings/DownloadHistory.h"
#include "settings/SettingsKeys.h"
#include "watch/WatchRun.h"
#include "watch/WatchSender.h"
#include "watch/WatchSettings.h"
#include "watch/WatchState.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kUser = QString::fromLatin1(DemoSite::kDemoUsername);
const QString kPassword = QString::fromLatin1(DemoSite::kDemoPassword);

} // namespace

class TestWatchSend : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    DemoSite m_site;
    std::unique_ptr<TransmissionDaemon> m_daemon;

    QStringList daemonNames()
    {
        const QJsonObject reply = m_daemon->rpc(QStringLiteral("torrent-get"),
                                                {{QStringLiteral("fields"), QJsonArray{QStringLiteral("name")}}});
        QStringList names;
        for (const QJsonValue& torrent : reply[QStringLiteral("arguments")][QStringLiteral("torrents")].toArray())
            names.append(torrent[QStringLiteral("name")].toString());
        names.sort();
        return names;
    }

private Q_SLOTS:
    void initTestCase()
    {
        SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        DemoSiteSetup::forgetSignIn(m_site);
        QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
        m_daemon = std::make_unique<TransmissionDaemon>(QStringLiteral("remote"), QStringLiteral("secret"));
        QVERIFY2(m_daemon->start(), qPrintable(m_daemon->errorText()));
        ServerInfo& info = ServerInfo::sharedInstance();
        info.setClient(QStringLiteral("Transmission"));
        info.setAddress(TransmissionDaemon::address());
        info.setPort(QString::number(m_daemon->rpcPort()));
        info.setUsername(m_daemon->username());
        info.setPassword(m_daemon->password());
        SettingsStore::standard().setStringArray(SettingsKeys::filters, {QStringLiteral("Linux"), QStringLiteral("Film")});
        QVERIFY(WatchSettings::setAutoSend(QStringLiteral("Linux"), true));
        QVERIFY(WatchSettings::setDailySends(2));
    }

    void sendsEachNewMatchOnceUnderTheDailyCap()
    {
        QVERIFY(!WatchRun::scanOnce(kUser, kPassword, true).failed); // the baseline sends nothing
        QVERIFY(daemonNames().isEmpty());

        // One the history holds, one the client holds (the file the site serves, added behind
        // the app's back), three new ones for a cap of two, and one of a filter not sent.
        const DemoTorrent inHistory = m_site.addTorrent(QStringLiteral("Gentoo Linux stage3"));
        QVERIFY(DownloadHistory::append(inHistory.name));
        const DemoTorrent inClient = m_site.addTorrent(QStringLiteral("Kali Linux 2026.4"));
        const QByteArray file = DemoTorrentFile::make(inClient.name, QStringLiteral("http://%1/announce").arg(m_site.webHost()));
        m_daemon->rpc(QStringLiteral("torrent-add"), {{QStringLiteral("metainfo"), QString::fromLatin1(file.toBase64())},
                                                      {QStringLiteral("paused"), true}});
        m_site.addTorrent(QStringLiteral("Rocky Linux 10.1"));
        m_site.addTorrent(QStringLiteral("Night Film 2026"));
        m_site.addTorrent(QStringLiteral("Void Linux 2026"));
        m_site.addTorrent(QStringLiteral("Alma Linux 10.1"));

        WatchRun::Outcome round = WatchRun::scanOnce(kUser, kPassword, true);
        QVERIFY(!round.failed);
        QStringList sent;
        for (const WatchMatch& match : round.matches) {
            if (match.sent)
                sent.append(match.torrent.name());
        }
        QCOMPARE(round.matches.size(), 6);
        // Newest first, as the list shows them: the two newest new ones take today's two.
        QCOMPARE(sent, (QStringList{QStringLiteral("Alma Linux 10.1"), QStringLiteral("Void Linux 2026")}));
        QCOMPARE(daemonNames(), (QStringList{QStringLiteral("Alma Linux 10.1"), QStringLiteral("Kali Linux 2026.4"),
                                             QStringLiteral("Void Linux 2026")}));
        QVERIFY(DownloadHistory::contains(QStringLiteral("Alma Linux 10.1")));
        QVERIFY(DownloadHistory::contains(QStringLiteral("Void Linux 2026")));
        QCOMPARE(WatchState::load().sentOn(QDate::currentDate()), 2);

        // The same matches handed over again on a day with room: only the one the cap held
        // back goes; nothing reaches the client twice.
        WatchState state = WatchState::load();
        WatchSender::Options options;
        options.autoSendFilters = WatchSettings::autoSendFilters();
        options.dailyLimit = 10;
        options.today = QDate::currentDate().addDays(1);
        QCOMPARE(WatchSender::sendNew(round.matches, state, options), 1);
        QCOMPARE(daemonNames().size(), 4);
        QVERIFY(daemonNames().contains(QStringLiteral("Rocky Linux 10.1")));
    }

    // A new match while the client is down waits; the next round, with the client back,
    // sends it once, even with nothing new on the site.
    void failedSendGoesInALaterRound()
    {
        QVERIFY(WatchSettings::setDailySends(10));
        ServerInfo& info = ServerInfo::sharedInstance();
        const QString port = info.port();
        QVERIFY(info.setPort(QStringLiteral("1")).isSaved()); // nothing listens on this machine's port 1

        m_site.addTorrent(QStringLiteral("Arch Linux 2026.12"));
        WatchRun::Outcome down = WatchRun::scanOnce(kUser, kPassword, true);
        QVERIFY(!down.failed);
        QCOMPARE(down.matches.size(), 1);
        QVERIFY(!down.matches.first().sent);
        QVERIFY(!daemonNames().contains(QStringLiteral("Arch Linux 2026.12")));
        QCOMPARE(WatchState::load().pending.size(), 1);

        QVERIFY(info.setPort(port).isSaved());
        WatchRun::Outcome up = WatchRun::scanOnce(kUser, kPassword, true);
        QVERIFY(!up.failed);
        QVERIFY(up.matches.isEmpty());
        QVERIFY(daemonNames().contains(QStringLiteral("Arch Linux 2026.12")));
        QVERIFY(DownloadHistory::contains(QStringLiteral("Arch Linux 2026.12")));
        QVERIFY(WatchState::load().pending.isEmpty());

        // What waits longer than its days is let go, sent or not.
        WatchState state = WatchState::load();
        WatchMatch stale;
        stale.torrent.setName(QStringLiteral("Stale Linux"));
        stale.torrent.setDownloadUrl(QStringLiteral("/download/stale.torrent"));
        stale.filter = QStringLiteral("Linux");
        state.recordFailed(stale, QDate::currentDate().addDays(-WatchState::kPendingDays - 1));
        state.recordFailed(stale, QDate::currentDate()); // once, with its first day
        QCOMPARE(WatchState::fromJson(state.toJson()).pending.size(), 1);
        QVERIFY(state.save().isSaved());
        QVERIFY(!WatchRun::scanOnce(kUser, kPassword, true).failed);
        QVERIFY(WatchState::load().pending.isEmpty());
        QCOMPARE(daemonNames().size(), 5);
    }
};

QTEST_GUILESS_MAIN(TestWatchSend)
#include "tst_watchsend.moc"
