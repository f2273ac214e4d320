// The Downloads screen offscreen against a real Transmission daemon: the client's torrents with
// those sent from this app marked, a tap that pauses and resumes, removal after the data
// question, refreshing only while shown, and each failure said with its reason.
#include "DemoTorrentFile.h"
#include "TestPictures.h"
#include "TransmissionDaemon.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"
#include "remote/ServerInfo.h"
#include "screens/remote/DownloadsTorrentCell.h"
#include "screens/remote/DownloadsViewController.h"
#include "settings/DownloadHistory.h"
#include "LoopbackDaemon.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {
constexpr int kWait = 30000;
} // namespace

class TestDownloads : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    TransmissionDaemon m_daemon{QStringLiteral("remote"), QStringLiteral("d0wn p@ss")};
    std::unique_ptr<Window> m_window;
    QPointer<NavigationController> m_navigation;
    QPointer<DownloadsViewController> m_screen;

    void storeSettings(const QString& client, int port, const QString& password)
    {
        ServerInfo& info = ServerInfo::sharedInstance();
        info.setClient(client);
        info.setAddress(TransmissionDaemon::address());
        info.setPort(QString::number(port));
        info.setUsername(m_daemon.username());
        info.setPassword(password);
    }

    DownloadsViewController* show()
    {
        m_screen = new DownloadsViewController;
        m_navigation = new NavigationController;
        m_navigation->pushViewController(m_screen, false);
        m_window->addSubview(m_navigation->view());
        m_window->makeKeyAndVisible();
        return m_screen;
    }

    QString add(const QString& name, bool paused)
    {
        const QByteArray file = DemoTorrentFile::make(name, QStringLiteral("http://127.0.0.1:9/announce"));
        const QJsonObject reply = m_daemon.rpc(QStringLiteral("torrent-add"),
                                               {{QStringLiteral("metainfo"), QString::fromLatin1(file.toBase64())},
                                                {QStringLiteral("paused"), paused}});
        return reply.isEmpty() ? QString() : DemoTorrentFile::infoHash(file);
    }

    // The daemon's own status of the torrent (0 stopped); -1 when it holds none such.
    int daemonStatus(const QString& hash)
    {
        const QJsonObject reply = m_daemon.rpc(
            QStringLiteral("torrent-get"),
            {{QStringLiteral("ids"), QJsonArray{hash}}, {QStringLiteral("fields"), QJsonArray{QStringLiteral("status")}}});
        const QJsonArray torrents = reply.value(QLatin1String("arguments")).toObject().value(QLatin1String("torrents")).toArray();
        return torrents.isEmpty() ? -1 : torrents.first().toObject().value(QLatin1String("status")).toInt(-1);
    }

    int rowOf(const QString& hash) const
    {
        const QList<RemoteTorrent>& shown = m_screen->torrents();
        const auto found = std::find_if(shown.begin(), shown.end(), [&](const RemoteTorrent& t) { return t.hash == hash; });
        if (found == shown.end())
            return -1;
        return int(found - shown.begin()) + (m_screen->noticeText().isEmpty() ? 0 : 1);
    }

    QString stateOf(const QString& hash) const
    {
        for (const RemoteTorrent& torrent : m_screen->torrents()) {
            if (torrent.hash == hash)
                return RemoteTorrent::stateName(torrent.state);
        }
        return QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!TransmissionDaemon::program().isEmpty(), "transmission-daemon is not installed (run scripts/setup)");
        QVERIFY2(m_daemon.start(), qPrintable(m_daemon.errorText()));
        m_window = std::make_unique<Window>();
    }

    void init() { SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files))); }

    void cleanup()
    {
        if (m_navigation)
            m_window->removeSubview(m_navigation->view());
        delete m_navigation;
    }

    // Rows with the torrent sent from here marked; a tap pauses a running torrent (the daemon
    // stops it for good) and resumes a paused one; Delete removes it after the data question.
    void rowsPauseResumeAndRemove()
    {
        const QString sentName = QStringLiteral("Sent.From.Here.1957.avi");
        const QString sent = add(sentName, true);
        const QString other = add(QStringLiteral("Added.Elsewhere.1964.avi"), false);
        QVERIFY(!sent.isEmpty() && !other.isEmpty());
        QVERIFY(DownloadHistory::append(sentName));
        storeSettings(QStringLiteral("Transmission"), m_daemon.rpcPort(), m_daemon.password());
        DownloadsViewController* screen = show();

        QTRY_VERIFY_WITH_TIMEOUT(rowOf(sent) >= 0 && rowOf(other) >= 0, kWait);
        QCOMPARE(screen->noticeText(), QString());
        // Added paused, it is checked first.
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(sent), QStringLiteral("paused"), kWait);
        const QList<RemoteTorrent>& shown = screen->torrents();
        QVERIFY(std::is_sorted(shown.begin(), shown.end(),
                               [](const RemoteTorrent& a, const RemoteTorrent& b) { return a.added > b.added; }));
        auto* sentCell = qobject_cast<DownloadsTorrentCell*>(screen->tableView()->cellForRowAtIndexPath(IndexPath::forRow(rowOf(sent))));
        auto* otherCell = qobject_cast<DownloadsTorrentCell*>(screen->tableView()->cellForRowAtIndexPath(IndexPath::forRow(rowOf(other))));
        QVERIFY(sentCell && otherCell);
        QVERIFY(sentCell->sentFromApp());
        QVERIFY(!otherCell->sentFromApp());
        QVERIFY(saveTestPicture(m_window->grab().toImage(), QStringLiteral("downloads.png")));

        // Tapped while the daemon may still be checking its data: paused all the same.
        screen->didSelectRowAtIndexPath(screen->tableView(), IndexPath::forRow(rowOf(other)));
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(other), QStringLiteral("paused"), kWait);
        QCOMPARE(daemonStatus(other), 0);
        screen->didSelectRowAtIndexPath(screen->tableView(), IndexPath::forRow(rowOf(sent)));
        QTRY_VERIFY_WITH_TIMEOUT(!stateOf(sent).isEmpty() && stateOf(sent) != QLatin1String("paused"), kWait);
        QVERIFY(daemonStatus(sent) != 0);

        screen->commitEditingStyle(screen->tableView(), TableViewCellEditingStyle::Delete, IndexPath::forRow(rowOf(other)));
        QTRY_COMPARE_WITH_TIMEOUT(AlertView::visibleAlerts().size(), 1, kWait);
        AlertView* question = AlertView::visibleAlerts().first();
        QCOMPARE(question->title(), QStringLiteral("Delete the downloaded data too?"));
        QCOMPARE(question->message(), QStringLiteral("Added.Elsewhere.1964.avi"));
        question->dismissWithClickedButtonIndex(0, false); // keep the data
        QTRY_COMPARE_WITH_TIMEOUT(rowOf(other), -1, kWait);
        QCOMPARE(daemonStatus(other), -1);
        QVERIFY(rowOf(sent) >= 0);
        QVERIFY(m_daemon.rpc(QStringLiteral("torrent-remove"), {{QStringLiteral("ids"), QJsonArray{sent}}}).size() > 0);
    }

    // Every two seconds while shown; not once while another screen stands over it; again on
    // its return.
    void refreshesOnlyWhileShown()
    {
        storeSettings(QStringLiteral("Transmission"), m_daemon.rpcPort(), m_daemon.password());
        DownloadsViewController* screen = show();
        QVERIFY(screen->isRefreshing());
        QTRY_VERIFY_WITH_TIMEOUT(screen->fetchCount() >= 3, kWait);
        m_navigation->pushViewController(new ViewController, false);
        QVERIFY(!screen->isRefreshing());
        // A round under way when it was covered ends; with its timer stopped, nothing asks again.
        QTRY_VERIFY_WITH_TIMEOUT(!screen->isFetching(), kWait);
        const int hidden = screen->fetchCount();
        QCoreApplication::processEvents();
        QVERIFY(!screen->isRefreshing());
        QCOMPARE(screen->fetchCount(), hidden);
        m_navigation->popViewControllerAnimated(false);
        QVERIFY(screen->isRefreshing());
        QTRY_VERIFY_WITH_TIMEOUT(screen->fetchCount() > hidden, kWait);
    }

    void failuresSayTheirReason_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<bool>("closedPort");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tryAgain");
        QTest::newRow("wrong password") << "Transmission" << false << "wrong"
                                        << "The client refused the user name or password." << true;
        QTest::newRow("nothing listens") << "Transmission" << true << "" << "Nothing is listening at 127.0.0.1:%1." << true;
        QTest::newRow("vuze") << "Vuze" << true << "" << "This client does not offer its list of torrents." << false;
        QTest::newRow("utorrent") << "Utorrent" << true << "" << "This client does not offer its list of torrents." << false;
    }

    // The reason stands in the list; "Try again", where it can help, fetches again and brings
    // the rows once the cause is gone.
    void failuresSayTheirReason()
    {
        QFETCH(QString, client);
        QFETCH(bool, closedPort);
        QFETCH(QString, password);
        QFETCH(QString, text);
        QFETCH(bool, tryAgain);
        const int port = closedPort ? LoopbackDaemon::freePort() : m_daemon.rpcPort();
        storeSettings(client, port, password);
        DownloadsViewController* screen = show();
        QTRY_VERIFY_WITH_TIMEOUT(!screen->noticeText().isEmpty(), kWait);
        QCOMPARE(screen->noticeText(), text.contains(QLatin1String("%1")) ? text.arg(port) : text);
        QVERIFY(screen->noticeView());
        QCOMPARE(screen->noticeView()->actionBtn()->isVisible(), tryAgain);
        QCOMPARE(screen->isRefreshing(), tryAgain);
        QVERIFY(saveTestPicture(m_window->grab().toImage(), QStringLiteral("downloads-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')))));
        if (!tryAgain)
            return;
        const QString hash = add(QStringLiteral("After.Trying.Again.1970.avi"), true);
        storeSettings(QStringLiteral("Transmission"), m_daemon.rpcPort(), m_daemon.password());
        Q_EMIT screen->noticeView()->actionTapped();
        QTRY_VERIFY_WITH_TIMEOUT(rowOf(hash) >= 0, kWait);
        QCOMPARE(screen->noticeText(), QString());
        m_daemon.rpc(QStringLiteral("torrent-remove"), {{QStringLiteral("ids"), QJsonArray{hash}}});
    }
};

QTEST_MAIN(TestDownloads)
#include "tst_downloads.moc"
