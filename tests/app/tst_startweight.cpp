// What the application starts before anyone asks for a web page: the login screen, its
// donation button included, is drawn without the web engine, whose processes and memory
// come only with the first web page, and without a GL context, whose driver (on a machine
// without a GPU, Mesa's software rasteriser and LLVM) is loaded only for the first web
// profile. Run offscreen and, where Xvfb is there, on an X server, where GL is real.
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
#include <QFile>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>

namespace {

// Whether a GL driver (Mesa's DRI drivers live in a "dri" folder) is mapped into the process.
bool glDriverLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/dri/");
}

} // namespace

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
        QOpenGLContext* shared = QOpenGLContext::globalShareContext();
        QVERIFY(shared && !shared->isValid());
        QVERIFY2(!glDriverLoaded(), "a GL driver is loaded at the login screen");

        QTest::mouseClick(donate, Qt::LeftButton);
        QCOMPARE(browser, QList<QUrl>{QUrl(SiteHosts::donateUrl())});
        QVERIFY(!WebProfile::isCreated());
        DonateViewController::setBrowserHook({});

        // The first web profile makes the context the engine shares, where the platform has GL.
        WebProfile::shared();
        QCOMPARE(QOpenGLContext::globalShareContext(), shared);
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QVERIFY(shared->isValid());
    }
};

QTEST_MAIN(TestStartWeight)
#include "tst_startweight.moc"
