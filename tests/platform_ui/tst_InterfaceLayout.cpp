// Interface layouts: each named layout loads, carries the outlets its screen looks up, and
// comes back as the class a higher layer registered for its root.
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"

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
        std::unique_ptr<QWidget> root(InterfaceLayout::load(layout));
        QVERIFY(root);
        for (const QString& outlet : outlets) {
            const QString name = outlet.section(QLatin1Char(':'), 0, 0);
            const QString cls = outlet.section(QLatin1Char(':'), 1, 1);
            QObject* found = root->findChild<QObject*>(name);
            QVERIFY2(found, qPrintable(name));
            QVERIFY2(found->inherits(cls.toLatin1().constData()), qPrintable(name + QStringLiteral(" is not a ") + cls));
        }
        QVERIFY(root->findChild<TextField*>(QStringLiteral("password")) == nullptr ||
                root->findChild<TextField*>(QStringLiteral("password"))->isSecureTextEntry());
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
        // An existing root is filled in place.
        QWidget own;
        QCOMPARE(InterfaceLayout::load(QStringLiteral("LoadMoreItem"), &own), &own);
        QVERIFY(own.findChild<Label*>(QStringLiteral("pageLbl")));
    }
};

QTEST_MAIN(InterfaceLayoutTest)
#include "tst_InterfaceLayout.moc"
