// The remote settings screen offscreen: what it stores on its first opening and with stored
// settings, the client selector replacing the port, the order the return key walks, and a
// field the settings file cannot take.
#include "BlockedFolder.h"
#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "remote/BitClient.h"
#include "remote/ServerInfo.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/remote/ServerSettingsViewController.h"
#include "settings/SettingsKeys.h"

#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestServerSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<Window> m_window;
    QPointer<NavigationController> m_navigation;
    QPointer<ServerSettingsViewController> m_screen;

    ServerSettingsViewController* open()
    {
        m_screen = new ServerSettingsViewController;
        m_navigation = new NavigationController;
        m_navigation->pushViewController(m_screen, false);
        m_window->addSubview(m_navigation->view());
        m_window->makeKeyAndVisible();
        return m_screen;
    }

    static QString stored(const QString& key) { return SettingsStore::standard().stringForKey(key); }
    static QString description(const QString& client) { return BitClient::create(client)->getDefaultDescription(); }

private Q_SLOTS:
    void initTestCase() { m_window = std::make_unique<Window>(); }

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
    }

    void cleanup()
    {
        if (m_navigation)
            m_window->removeSubview(m_navigation->view());
        delete m_navigation;
    }

    void firstOpeningStoresTheFirstClient()
    {
        ServerSettingsViewController* screen = open();
        QCOMPARE(screen->serverClient()->selectedSegmentIndex(), 0);
        QCOMPARE(screen->serverDescription()->text(), description(QStringLiteral("Vuze")));
        QCOMPARE(screen->serverPort()->text(), QStringLiteral("6886"));
        QCOMPARE(stored(SettingsKeys::serverClient), QStringLiteral("Vuze"));
        QCOMPARE(stored(SettingsKeys::serverPort), QStringLiteral("6886"));
        const QString picture = testPicturePath(QStringLiteral("remote-settings.png"));
        QVERIFY(m_window->grab().save(picture));
        qInfo("picture: %s", qPrintable(picture));
    }

    // The settings folder becomes a file (which stops root too): a field left is used for
    // this run, and the user is told it was not saved, with the reason.
    void fieldThatCannotBeSavedIsSaid()
    {
        const QString folder = m_dir.filePath(QStringLiteral("blocked%1").arg(m_files));
        SettingsStore::setStandardPath(folder + QStringLiteral("/s.ini"));
        ServerSettingsViewController* screen = open();
        BlockedFolder blocked(folder);
        QVERIFY(blocked.isBlocked());
        screen->serverAddress()->setText(QStringLiteral("10.0.0.7"));
        screen->textFieldDidEndEditing(screen->serverAddress());
        QTRY_COMPARE(AlertView::visibleAlerts().size(), 1);
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        QCOMPARE(alert->title(), SettingsSaveAlert::kTitle);
        QVERIFY2(alert->message().startsWith(QStringLiteral("Could not save the settings: ")) && alert->message().contains(folder),
                 qPrintable(alert->message()));
        QCOMPARE(ServerInfo::sharedInstance().address(), QStringLiteral("10.0.0.7"));
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(AlertView::visibleAlerts().isEmpty());
    }

    // A stored port outlives the opening; another client chosen puts its own default in.
    void storedPortKeptUntilAnotherClient()
    {
        ServerInfo& info = ServerInfo::sharedInstance();
        info.setClient(QStringLiteral("Transmission"));
        info.setPort(QStringLiteral("9999"));
        info.setAddress(QStringLiteral("10.0.0.2"));
        ServerSettingsViewController* screen = open();
        QCOMPARE(screen->serverClient()->selectedSegmentIndex(), 1);
        QCOMPARE(screen->serverPort()->text(), QStringLiteral("9999"));
        QCOMPARE(screen->serverAddress()->text(), QStringLiteral("10.0.0.2"));
        QCOMPARE(stored(SettingsKeys::serverPort), QStringLiteral("9999"));

        SegmentedControl* selector = screen->serverClient();
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(2).center().toPoint());
        QCOMPARE(stored(SettingsKeys::serverClient), QStringLiteral("Utorrent"));
        const QString port = BitClient::create(QStringLiteral("Utorrent"))->getDefaultPort();
        QCOMPARE(screen->serverPort()->text(), port);
        QCOMPARE(stored(SettingsKeys::serverPort), port);
        QCOMPARE(screen->serverDescription()->text(), description(QStringLiteral("Utorrent")));

        // Each client keeps its own port: back to Transmission brings 9999 back, and a port
        // typed for uTorrent comes back with uTorrent.
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(1).center().toPoint());
        QCOMPARE(screen->serverPort()->text(), QStringLiteral("9999"));
        QCOMPARE(stored(SettingsKeys::serverPort), QStringLiteral("9999"));
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(2).center().toPoint());
        QCOMPARE(screen->serverPort()->text(), port);
        screen->serverPort()->setFocus();
        screen->serverPort()->selectAll();
        QTest::keyClicks(screen->serverPort(), QStringLiteral("8181"));
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(0).center().toPoint());
        QCOMPARE(screen->serverPort()->text(), BitClient::create(QStringLiteral("Vuze"))->getDefaultPort());
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(2).center().toPoint());
        QCOMPARE(screen->serverPort()->text(), QStringLiteral("8181"));
        QCOMPARE(stored(SettingsKeys::serverPort), QStringLiteral("8181"));
    }

    // Each of the five segments, tapped, stores its adapter and that adapter's port; every
    // title stands whole inside its segment, with room to spare, and the selector on the form.
    void fiveClientsFitAndMapToTheirAdapters()
    {
        ServerSettingsViewController* screen = open();
        SegmentedControl* selector = screen->serverClient();
        const QStringList titles{QStringLiteral("Vuze"), QStringLiteral("Transmission"), QStringLiteral("uTorrent"),
                                 QStringLiteral("qBittorrent"), QStringLiteral("Deluge")};
        QCOMPARE(selector->numberOfSegments(), titles.size());
        QVERIFY(selector->x() >= 0 && selector->geometry().right() < 320);
        QVERIFY(selector->titleFont().pixelSize() >= 12);
        const QFontMetricsF metrics(selector->titleFont());
        for (int i = titles.size() - 1; i >= 0; --i) {
            QCOMPARE(selector->titleForSegmentAtIndex(i), titles.at(i));
            const QRectF segment = selector->segmentRect(i);
            QVERIFY2(metrics.horizontalAdvance(titles.at(i)) + 8 <= segment.width(), qPrintable(titles.at(i)));
            QVERIFY(segment.left() >= 0 && segment.right() <= selector->width() + 0.01);
            QTest::mouseClick(selector, Qt::LeftButton, {}, segment.center().toPoint());
            const QString client = BitClient::getClientByIndex(i);
            QCOMPARE(stored(SettingsKeys::serverClient), client);
            QCOMPARE(screen->serverPort()->text(), BitClient::create(client)->getDefaultPort());
            QCOMPARE(screen->serverDescription()->text(), description(client));
            // It stands under the fields it talks of and says so, spelled right.
            QWidget* form = screen->view();
            QVERIFY(screen->serverDescription()->mapTo(form, QPoint(0, 0)).y()
                    > screen->serverPassword()->mapTo(form, QPoint(0, screen->serverPassword()->height())).y());
            QVERIFY2(description(client).contains(QStringLiteral("fields above")), qPrintable(client));
            for (const char* wrong : {"below", "Transmittion", "Bittorent"})
                QVERIFY2(!description(client).contains(QLatin1String(wrong)), wrong);
            // The help text, a line for each step (its line feeds start new lines), ends inside
            // what the form scrolls through.
            const auto height = [&](const QString& text) {
                return GraphicsContext::sizeWithFont(text, screen->serverDescription()->font(),
                                                     QSizeF(screen->serverDescription()->width(), 0),
                                                     LineBreakMode::WordWrap)
                    .height();
            };
            const double text = height(description(client));
            QVERIFY(text >= height(QString(description(client)).replace(QLatin1Char('\n'), QLatin1Char(' ')))
                               + 3 * Fonts::lineHeight(screen->serverDescription()->font()));
            QVERIFY(screen->serverDescription()->height() >= text);
            QVERIFY2(screen->serverDescription()->geometry().bottom() <= screen->scrollView()->contentSize().height(),
                     qPrintable(client));
        }
        // The whole form, scrolled or not, with the last client's help text under it.
        const QString picture = testPicturePath(QStringLiteral("remote-settings-clients.png"));
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->segmentRect(4).center().toPoint());
        QVERIFY(selector->parentWidget()->grab().save(picture));
        qInfo("picture: %s", qPrintable(picture));
    }

    // Return walks address, port, user name, password, storing each; after the password the
    // keyboard goes. A tap on another field keeps that field, and the one left is stored.
    void returnKeyWalksTheFields()
    {
        ServerSettingsViewController* screen = open();
        screen->serverAddress()->becomeFirstResponder();
        QTRY_VERIFY(screen->serverAddress()->hasFocus());
        const QList<QPair<TextField*, QString>> fields = {{screen->serverAddress(), SettingsKeys::serverAddress},
                                                          {screen->serverPort(), SettingsKeys::serverPort},
                                                          {screen->serverUser(), SettingsKeys::serverUser},
                                                          {screen->serverPassword(), SettingsKeys::serverPassword}};
        for (int i = 0; i < fields.size(); ++i) {
            TextField* field = fields[i].first;
            QVERIFY(field->hasFocus());
            field->clear();
            QTest::keyClicks(field, QStringLiteral("v%1").arg(i));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(stored(fields[i].second), QStringLiteral("v%1").arg(i));
            if (i + 1 < fields.size())
                QTRY_VERIFY(fields[i + 1].first->hasFocus());
        }
        for (const auto& field : fields)
            QVERIFY(!field.first->isEditing());

        screen->serverAddress()->becomeFirstResponder();
        QTest::keyClicks(screen->serverAddress(), QStringLiteral("x"));
        QTest::mouseClick(screen->serverUser(), Qt::LeftButton);
        QTRY_VERIFY(screen->serverUser()->hasFocus());
        QCOMPARE(stored(SettingsKeys::serverAddress), QStringLiteral("v0x"));
        QVERIFY(!screen->serverPort()->hasFocus());
    }
};

QTEST_MAIN(TestServerSettings)
#include "tst_serversettings.moc"
