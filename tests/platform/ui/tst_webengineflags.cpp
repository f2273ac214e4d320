// Chromium's sandbox stays on for an ordinary user, offscreen too; it is off only as root,
// where the kernel gives no user namespaces, or when the user asks, and the GPU is off only
// where there is no screen.
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
    QTest::addColumn<bool>("namespaces");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("sandboxOff");
    QTest::addColumn<bool>("gpuOff");

    QTest::newRow("user on X11") << false << true << "xcb" << false << false << false;
    QTest::newRow("user on Wayland") << false << true << "wayland" << false << false << false;
    QTest::newRow("user, Qt picks") << false << true << QString() << false << false << false;
    QTest::newRow("user asks") << false << true << "xcb" << true << true << false;
    QTest::newRow("root on X11") << true << true << "xcb" << false << true << false;
    QTest::newRow("user offscreen") << false << true << "offscreen" << false << false << true;
    QTest::newRow("root offscreen") << true << true << "offscreen" << false << true << true;
    QTest::newRow("user minimal") << false << true << "minimal" << false << false << true;
    QTest::newRow("user without user namespaces") << false << false << "xcb" << false << true << false;
}

void TestWebEngineFlags::decide()
{
    QFETCH(bool, root);
    QFETCH(bool, namespaces);
    QFETCH(QString, platform);
    QFETCH(bool, asked);
    QFETCH(bool, sandboxOff);
    QFETCH(bool, gpuOff);
    const WebEngineFlags flags = WebEngineFlags::decide(root, namespaces, platform, asked);
    QCOMPARE(flags.sandboxOff, sandboxOff);
    QCOMPARE(flags.gpuOff, gpuOff);
    const QByteArrayList chromium = flags.chromiumFlags();
    QCOMPARE(chromium.contains("--no-sandbox"), sandboxOff);
    QCOMPARE(chromium.contains("--disable-gpu"), gpuOff);
    QCOMPARE(chromium.contains("--disable-gpu-compositing"), gpuOff);
}

QTEST_GUILESS_MAIN(TestWebEngineFlags)
#include "tst_webengineflags.moc"
