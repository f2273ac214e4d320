// The web view: an HTML text with a base address, scripts, and the delegate's say over
// navigations. Addresses point at loopback; nothing is fetched from them.
#include "platform/ui/WebView.h"
#include "platform/ui/WebViewDelegate.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

const QUrl kBase(QStringLiteral("http://127.0.0.1:9/site/"));

class Recorder : public QObject, public WebViewDelegate
{
public:
    struct Ask
    {
        QUrl url;
        NavigationType type;
        bool mainFrame;
    };
    QList<Ask> asked;
    int started = 0;
    int finished = 0;
    int failed = 0;
    bool refuseLinks = true;

    bool shouldStartLoadWithRequest(WebView*, const QUrl& url, NavigationType type, bool mainFrame) override
    {
        asked.append({url, type, mainFrame});
        return !(refuseLinks && type == NavigationType::LinkClicked);
    }
    void webViewDidStartLoad(WebView*) override { ++started; }
    void webViewDidFinishLoad(WebView*) override { ++finished; }
    void didFailLoadWithError(WebView*, const QString&) override { ++failed; }
};

QString evaluate(WebView* view, const QString& script)
{
    QString result;
    bool done = false;
    view->stringByEvaluatingJavaScriptFromString(script, [&](const QString& r) {
        result = r;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<no answer>");
    return result;
}

} // namespace

class TestWebView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsHtmlWithBaseAndRefusesLink_data();
    void loadsHtmlWithBaseAndRefusesLink();
};

void TestWebView::loadsHtmlWithBaseAndRefusesLink_data()
{
    QTest::addColumn<int>("padding");
    QTest::newRow("small text") << 0;
    // Beyond what a data address may carry.
    QTest::newRow("3 MB text") << 3 * 1024 * 1024;
}

void TestWebView::loadsHtmlWithBaseAndRefusesLink()
{
    QFETCH(int, padding);
    WebView view;
    view.resize(320, 416);
    view.show();
    Recorder recorder;
    view.setDelegate(&recorder);

    const QString html = QStringLiteral(
        "<html><head><title>t</title></head><body style='margin:0'>"
        "<a id='l' href='next.html' style='display:block;width:300px;height:80px;background:#cde'>Next</a>"
        "<p id='pad'>%1</p></body></html>").arg(QString(padding, QLatin1Char('x')));
    view.loadHTMLString(html, kBase);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.finished, 1, 30000);
    QCOMPARE(recorder.started, 1);
    QCOMPARE(recorder.failed, 0);
    QVERIFY(!view.isLoading());

    // The first question is about the text's load, with its base address.
    QVERIFY(!recorder.asked.isEmpty());
    QCOMPARE(recorder.asked.first().url, kBase);
    QVERIFY(recorder.asked.first().type == WebViewDelegate::NavigationType::Other);
    QVERIFY(recorder.asked.first().mainFrame);

    QCOMPARE(evaluate(&view, "document.getElementById('l').href"),
             QStringLiteral("http://127.0.0.1:9/site/next.html"));
    QCOMPARE(evaluate(&view, "String(document.getElementById('pad').textContent.length)"),
             QString::number(padding));
    QCOMPARE(evaluate(&view, "document.title = 'changed'; document.title"), QStringLiteral("changed"));

    // A tap on the link is asked about as a link click, and refused.
    recorder.asked.clear();
    QWidget* surface = view.focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.asked.isEmpty(), 10000);
    QCOMPARE(recorder.asked.first().url, QUrl(QStringLiteral("http://127.0.0.1:9/site/next.html")));
    QVERIFY(recorder.asked.first().type == WebViewDelegate::NavigationType::LinkClicked);
    QVERIFY(recorder.asked.first().mainFrame);
    QTest::qWait(300);
    QCOMPARE(recorder.started, 1); // a refused navigation never starts loading
    QCOMPARE(recorder.failed, 0);
    QCOMPARE(evaluate(&view, "document.title"), QStringLiteral("changed"));
    QVERIFY(!view.canGoBack());
}

QTEST_MAIN(TestWebView)
#include "tst_webview.moc"
