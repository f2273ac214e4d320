// Interface layouts: each named form loads cleanly, carries the outlets its screen looks up
// with the properties the platform reads from forms, comes back as the class a higher layer
// registered for its root, and a form sized to the screen follows the device.
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

class InterfaceLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutsCarryTheirOutlets_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("outlets"); // "name:Class"
        QTest::newRow("LoginView") << QStringLiteral("LoginView")
                                   << QStringList{"groupView:QWidget", "captchaView:QWidget", "username:TextField",
                                                  "password:TextField", "captcha:TextField", "imageView:ImageView",
                                                  "automaticLogin:Switch", "loginBtn:Button", "infoView:QWidget",
                                                  "versionLbl:Label", "infoButton:Button", "returnButton:Button"};
        QTest::newRow("HeaderView") << QStringLiteral("HeaderView")
                                    << QStringList{"usernameLbl:Button", "ratioLbl:Label", "upLbl:Label", "downLbl:Label",
                                                   "refreshBtn:Button", "searchBtn:Button", "settingsBtn:Button",
                                                   "filtersBtn:Button"};
        QTest::newRow("LoadMoreItem") << QStringLiteral("LoadMoreItem") << QStringList{"pageLbl:Label"};
        QTest::newRow("ServerSettings") << QStringLiteral("ServerSettings")
                                        << QStringList{"serverClient:SegmentedControl", "serverDescription:Label",
                                                       "serverAddress:TextField", "serverPort:TextField",
                                                       "serverUser:TextField", "serverPassword:TextField",
                                                       "testButton:Button", "backButton:Button"};
        QTest::newRow("DisplaySettings") << QStringLiteral("DisplaySettings") << QStringList{"scrollView:ScrollView"};
        QTest::newRow("FavoriteCompose") << QStringLiteral("FavoriteCompose")
                                         << QStringList{"newItem:TextField", "addButton:Button", "cancelButton:Button"};
        QTest::newRow("FavoriteDisplaySettings") << QStringLiteral("FavoriteDisplaySettings")
                                                 << QStringList{"scrollView:ScrollView", "favoritesCountSlider:Slider",
                                                                "favoritesCountValue:Label"};
    }

    void layoutsCarryTheirOutlets()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, outlets);
        // A class the loader cannot make or a property value it does not know is a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QVERIFY(InterfaceLayout::hasLayout(layout));
        std::unique_ptr<QWidget> root(InterfaceLayout::load(layout));
        QVERIFY(root);
        QCOMPARE(root->objectName(), layout);
        for (const QString& outlet : outlets) {
            const QString name = outlet.section(QLatin1Char(':'), 0, 0);
            const QString cls = outlet.section(QLatin1Char(':'), 1, 1);
            QObject* found = root->findChild<QObject*>(name);
            QVERIFY2(found, qPrintable(name));
            QVERIFY2(found->inherits(cls.toLatin1().constData()), qPrintable(name + QStringLiteral(" is not a ") + cls));
        }
        QVERIFY(root->findChild<TextField*>(QStringLiteral("password")) == nullptr ||
                root->findChild<TextField*>(QStringLiteral("password"))->isSecureTextEntry());
        // The form's own properties are handed to the controls and taken off again.
        for (QWidget* widget : root->findChildren<QWidget*>()) {
            for (const QByteArray& property : widget->dynamicPropertyNames())
                QVERIFY2(property.startsWith("_q_"), qPrintable(widget->objectName() + QLatin1Char(' ') + property));
        }
    }

    void formPropertiesReachTheControls()
    {
        std::unique_ptr<QWidget> more(InterfaceLayout::load(QStringLiteral("LoadMoreItem")));
        auto* page = more->findChild<Label*>(QStringLiteral("pageLbl"));
        // Form fonts are in points, and a point is a pixel.
        QCOMPARE(page->font(), Fonts::fontWithName(QStringLiteral("Arial"), 14));
        QCOMPARE(more->findChild<Label*>(QStringLiteral("moreLabel"))->font(),
                 Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 15));
        QCOMPARE(page->textAlignment(), TextAlignment::Right);
        QVERIFY(page->adjustsFontSizeToFitWidth());
        QCOMPARE(page->minimumFontSize(), 8.0);
        QCOMPARE(page->geometry(), QRect(200, 0, 110, 36));

        std::unique_ptr<QWidget> server(InterfaceLayout::load(QStringLiteral("ServerSettings")));
        auto* client = server->findChild<SegmentedControl*>(QStringLiteral("serverClient"));
        QCOMPARE(client->numberOfSegments(), 5);
        QCOMPARE(client->titleForSegmentAtIndex(3), QStringLiteral("qBittorrent"));
        QCOMPARE(client->selectedSegmentIndex(), 0);
        auto* test = server->findChild<Button*>(QStringLiteral("testButton"));
        QCOMPARE(test->buttonType(), Button::Type::RoundedRect);
        QCOMPARE(test->title(), QStringLiteral("Test settings"));
        QCOMPARE(server->findChild<TextField*>(QStringLiteral("serverPort"))->inputMethodHints(), Qt::ImhDigitsOnly);

        std::unique_ptr<QWidget> header(InterfaceLayout::load(QStringLiteral("HeaderView")));
        QVERIFY(header->findChild<QWidget*>(QStringLiteral("searchBtn"))->isHidden());
        QVERIFY(!header->findChild<QWidget*>(QStringLiteral("settingsBtn"))->isHidden());
        QVERIFY(header->findChild<QWidget*>(QStringLiteral("headerBackground"))
                    ->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void screenSizedFormFollowsTheDevice_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("phone") << int(Device::Kind::Phone);
        QTest::newRow("tall phone") << int(Device::Kind::Phone568);
        QTest::newRow("tablet") << int(Device::Kind::Tablet);
    }

    void screenSizedFormFollowsTheDevice()
    {
        QFETCH(int, kind);
        Device::setKind(Device::Kind(kind));
        const QSize screen = Device::screenBounds().size();
        std::unique_ptr<QWidget> login(InterfaceLayout::load(QStringLiteral("LoginView")));
        Device::setKind(Device::Kind::Phone);
        QCOMPARE(login->size(), screen);
        QCOMPARE(static_cast<ScrollView*>(login.get())->contentSize(), QSizeF(screen));
        // The 320-point form stays centred and as tall as the screen; the info button keeps to
        // its bottom corner; the information view covers the screen; the groups do not move.
        auto* form = login->findChild<QWidget*>(QStringLiteral("formView"));
        QCOMPARE(form->geometry(), QRect((screen.width() - 320) / 2, 0, 320, screen.height()));
        QCOMPARE(login->findChild<QWidget*>(QStringLiteral("infoButton"))->geometry(),
                 QRect(282, screen.height() - 38, 30, 30));
        QCOMPARE(login->findChild<QWidget*>(QStringLiteral("infoView"))->geometry(), QRect(QPoint(0, 0), screen));
        QCOMPARE(login->findChild<QWidget*>(QStringLiteral("groupView"))->geometry(), QRect(22, 175, 276, 95));
        QCOMPARE(login->findChild<QWidget*>(QStringLiteral("donatePlace"))->geometry(), QRect(80, 370, 160, 50));
    }

    void rootClassComesFromTheRegistry()
    {
        QVERIFY(!InterfaceLayout::load(QStringLiteral("NoSuchLayout")));
        // A higher layer registers the header's class; the layout then builds into it.
        class Header : public QWidget
        {
        public:
            using QWidget::QWidget;
        };
        InterfaceLayout::registerClass(QStringLiteral("HeaderView"), [](QWidget* parent) { return new Header(parent); });
        std::unique_ptr<QWidget> header(InterfaceLayout::load(QStringLiteral("HeaderView")));
        QVERIFY(dynamic_cast<Header*>(header.get()));
        QCOMPARE(header->size(), QSize(320, 70));
        // An existing root is filled in place, where it stands.
        QWidget parent;
        auto* own = new QWidget(&parent);
        own->move(10, 50);
        QCOMPARE(InterfaceLayout::load(QStringLiteral("LoadMoreItem"), own), own);
        QVERIFY(own->findChild<Label*>(QStringLiteral("pageLbl")));
        QCOMPARE(own->geometry(), QRect(10, 50, 320, 36));
    }
};

QTEST_MAIN(InterfaceLayoutTest)
#include "tst_InterfaceLayout.moc"
