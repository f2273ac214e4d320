// What the application starts before anyone asks for a web page: the login screen, its
// donation button included, is drawn without the web engine, whose processes and memory
// come only with the first web page.
#include "DemoSite.h"
#include "DemoSiteSetup.h"

#include "app/SwitchViewController.h"
#include "app/iTarnvaleAppDelegate.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/WebProfile.h"
#include "platform/ui/Window.h"
#include "screens/login/DonateViewController.h"
#include "screens/login/LoginViewController.h"
#include "site/SiteHosts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>

class TestStartWeight : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginScreenStartsNoWebEngine()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        SettingsStore::setStandardPath(dir.filePath(QStringLiteral("settings.ini")));
        DemoSite site;
        QString error;
        QVERIFY2(DemoSiteSetup::start(site, &error), qPrintable(error));
        QList<QUrl> browser;
        DonateViewController::setBrowserHook([&browser](const QUrl& url) { browser.append(url); });

        Window window;
        iTarnvaleAppDelegate app;
        app.launch(&window);
        LoginViewController* login = app.viewController()->loginViewController();
        QVERIFY(login);
        QVERIFY(QTest::qWaitForWindowExposed(login->view()->window()));
        Button* donate = login->donateViewController()->button();
        QTRY_VERIFY(donate->isVisible());
        QCoreApplication::processEvents();

        QVERIFY(!WebProfile::isCreated());
        const QWidgetList widgets = QApplication::allWidgets();
        QVERIFY(std::none_of(widgets.begin(), widgets.end(),
                             [](QWidget* w) { return qobject_cast<QWebEngineView*>(w); }));
        QVERIFY(qApp->findChildren<QWebEnginePage*>().isEmpty());

        QTest::mouseClick(donate, Qt::LeftButton);
        QCOMPARE(browser, QList<QUrl>{QUrl(SiteHosts::donateUrl())});
        QVERIFY(!WebProfile::isCreated());
        DonateViewController::setBrowserHook({});
    }
};

QTEST_MAIN(TestStartWeight)
#include "tst_startweight.moc"
