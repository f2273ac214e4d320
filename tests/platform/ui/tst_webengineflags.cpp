// Chromium's sandbox stays on for an ordinary user on a screen; it is off only as root, when
// the user asks, or offscreen, and the GPU is off only where there is no screen.
#include "platform/ui/WebEngineFlags.h"

#include <QTest>

class TestWebEngineFlags : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decide_data();
    void decide();
};

void TestWebEngineFlags::decide_data()
{
    QTest::addColumn<bool>("root");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("sandboxOff");
    QTest::addColumn<bool>("gpuOff");

    QTest::newRow("user on X11") << false << "xcb" << false << false << false;
    QTest::newRow("user on Wayland") << false << "wayland" << false << false << false;
    QTest::newRow("user, Qt picks") << false << QString() << false << false << false;
    QTest::newRow("user asks") << false << "xcb" << true << true << false;
    QTest::newRow("root on X11") << true << "xcb" << false << true << false;
    QTest::newRow("user offscreen") << false << "offscreen" << false << true << true;
    QTest::newRow("root offscreen") << true << "offscreen" << false << true << true;
    QTest::newRow("user minimal") << false << "minimal" << false << false << true;
}

void TestWebEngineFlags::decide()
{
    QFETCH(bool, root);
    QFETCH(QString, platform);
    QFETCH(bool, asked);
    QFETCH(bool, sandboxOff);
    QFETCH(bool, gpuOff);
    const WebEngineFlags flags = WebEngineFlags::decide(root, platform, asked);
    QCOMPARE(flags.sandboxOff, sandboxOff);
    QCOMPARE(flags.gpuOff, gpuOff);
    const QByteArrayList chromium = flags.chromiumFlags();
    QCOMPARE(chromium.contains("--no-sandbox"), sandboxOff);
    QCOMPARE(chromium.contains("--disable-gpu"), gpuOff);
    QCOMPARE(chromium.contains("--disable-gpu-compositing"), gpuOff);
}

QTEST_GUILESS_MAIN(TestWebEngineFlags)
#include "tst_webengineflags.moc"
