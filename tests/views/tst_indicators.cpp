// The busy overlays: properties reset by sharedInstance, the box laid out around spinner and
// text, one shared overlay per class, both overlays on screen at once at their offsets.
#include "views/LoadingIndicator.h"
#include "views/SendingTorrentIndicator.h"

#include <QTest>

class TestIndicators : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sharedInstanceResets();
    void boxLayout_data();
    void boxLayout();
    void sharedOverlayReplacesText();
    void bothOverlaysAtOnce();
    void parentDestroyedWhileShowing();

private:
    static LoadingIndicator* show(LoadingIndicator* indicator, QWidget* parent, const QString& text, int offset)
    {
        indicator->setParentView(parent);
        indicator->setString(text);
        indicator->setOffset(offset);
        indicator->showLoadingIndicators();
        return indicator;
    }
};

void TestIndicators::sharedInstanceResets()
{
    QWidget window;
    LoadingIndicator* loading = LoadingIndicator::sharedInstance();
    loading->setParentView(&window);
    loading->setString(QStringLiteral("Please wait..."));
    loading->setOffset(150);
    QCOMPARE(LoadingIndicator::sharedInstance(), loading);
    QCOMPARE(loading->parentView(), nullptr);
    QCOMPARE(loading->offset(), 0);
    QVERIFY(!loading->string().isNull());
    QCOMPARE(loading->string(), QString());
    LoadingIndicator* sending = SendingTorrentIndicator::sharedInstance();
    QVERIFY(sending != loading);
    QCOMPARE(SendingTorrentIndicator::sharedInstance(), sending);
}

void TestIndicators::boxLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::newRow("short, signing in") << QStringLiteral("Please wait...") << 150;
    QTest::newRow("long, captcha") << QStringLiteral("Sending 12 torrents to server") << -30;
    QTest::newRow("one letter") << QStringLiteral("x") << 0;
}

void TestIndicators::boxLayout()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QWidget window;
    window.resize(320, 480);
    LoadingIndicator* loading = show(LoadingIndicator::sharedInstance(), &window, text, offset);
    QVERIFY(loading->isShowing());
    RoundedRectView* box = loading->rv();
    QCOMPARE(box->parentWidget(), &window);
    const int spinner = loading->spinner()->width();
    const int label = loading->loadingLabel()->width();
    QVERIFY(label > 0);
    QCOMPARE(box->width(), spinner + label + 38);
    QCOMPARE(box->height(), 40);
    QCOMPARE(box->cornerRadius(), 8.0);
    QCOMPARE(loading->spinner()->x(), 15);
    QCOMPARE(loading->spinner()->y(), (40 - loading->spinner()->height()) / 2);
    QCOMPARE(loading->loadingLabel()->x(), spinner + 23);
    QVERIFY(qAbs(box->x() - (320 - box->width()) / 2.0) <= 0.5);
    QCOMPARE(box->y(), 220 + offset);
    loading->hideLoadingIndicators();
    QVERIFY(!loading->isShowing());
    QCOMPARE(window.findChildren<RoundedRectView*>().size(), 0);
}

void TestIndicators::sharedOverlayReplacesText()
{
    QWidget first, second;
    first.resize(320, 480);
    second.resize(320, 480);
    LoadingIndicator* loading = show(LoadingIndicator::sharedInstance(), &first, QStringLiteral("Loading..."), 0);
    RoundedRectView* box = loading->rv();
    const int shortWidth = box->width();
    // A second screen shows it too: the same box, in the first view, with the new text.
    show(LoadingIndicator::sharedInstance(), &second, QStringLiteral("Loading image, please wait..."), 0);
    QCOMPARE(loading->rv(), box);
    QCOMPARE(box->parentWidget(), &first);
    QCOMPARE(loading->loadingLabel()->text(), QStringLiteral("Loading image, please wait..."));
    QVERIFY(box->width() > shortWidth);
    QCOMPARE(box->width(), loading->spinner()->width() + loading->loadingLabel()->width() + 38);
    // One hide removes it for both; a second hide does nothing.
    loading->hideLoadingIndicators();
    QVERIFY(!loading->isShowing());
    loading->hideLoadingIndicators();
    QCOMPARE(first.findChildren<RoundedRectView*>().size(), 0);
}

void TestIndicators::bothOverlaysAtOnce()
{
    QWidget window;
    window.resize(320, 480);
    LoadingIndicator* loading = show(LoadingIndicator::sharedInstance(), &window, QStringLiteral("Loading..."), 0);
    LoadingIndicator* sending =
        show(SendingTorrentIndicator::sharedInstance(), &window, QStringLiteral("Sending  torrent to server"), 50);
    QVERIFY(loading->isShowing() && sending->isShowing());
    QVERIFY(loading->rv() != sending->rv());
    QCOMPARE(loading->rv()->y(), 220);
    QCOMPARE(sending->rv()->y(), 270);
    // Both are drawn: the grey box shows at each one's left end.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    for (LoadingIndicator* i : {loading, sending}) {
        const QColor box(image.pixel(i->rv()->x() + 4, i->rv()->y() + 20));
        QVERIFY2(qAbs(box.red() - 128) < 30 && box.red() == box.blue(), qPrintable(box.name()));
    }
    sending->hideLoadingIndicators();
    QVERIFY(loading->isShowing());
    loading->hideLoadingIndicators();
}

void TestIndicators::parentDestroyedWhileShowing()
{
    auto* window = new QWidget;
    window->resize(320, 480);
    LoadingIndicator* loading = show(LoadingIndicator::sharedInstance(), window, QStringLiteral("Loading..."), 0);
    delete window;  // the overlay's views go with it
    QVERIFY(!loading->isShowing());
    loading->hideLoadingIndicators();
    QWidget next;
    next.resize(320, 480);
    show(LoadingIndicator::sharedInstance(), &next, QStringLiteral("Again"), 0);
    QVERIFY(loading->isShowing());
    QCOMPARE(loading->rv()->parentWidget(), &next);
    loading->hideLoadingIndicators();
}

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
