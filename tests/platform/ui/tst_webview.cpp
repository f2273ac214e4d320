// The web view: an HTML text with a base address, scripts, and the delegate's say over
// navigations; what a hostile page of any size can reach.
#include "platform/core/CookieStore.h"
#include "platform/ui/WebView.h"
#include "platform/ui/WebViewDelegate.h"

#include "LoopbackServer.h"
#include "ReplyGate.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

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
    void pageReadsNoFileNorOtherOrigin_data();
    void pageReadsNoFileNorOtherOrigin();
    void localBaseGivesNoFileOrigin();
};

// A caller's local base address never gives the page a file origin.
void TestWebView::localBaseGivesNoFileOrigin()
{
    WebView view;
    view.resize(320, 416);
    view.show();
    Recorder recorder;
    view.setDelegate(&recorder);
    view.loadHTMLString(QStringLiteral("<html><body>local</body></html>"), QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/')));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.finished, 1, 30000);
    const QString origin = evaluate(&view, "String(self.origin)");
    QVERIFY2(!origin.startsWith(QLatin1String("file")), qPrintable(origin));
    QCOMPARE(evaluate(&view, "String(location.protocol)") == QLatin1String("file:"), false);
}

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
    const QUrl next(QStringLiteral("http://127.0.0.1:9/site/next.html"));
    bool refusedLoadEnded = false;
    connect(view.page(), &QWebEnginePage::loadingChanged, &view, [&](const QWebEngineLoadingInfo& info) {
        if (info.url() == next && info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            refusedLoadEnded = true;
    });
    QWidget* surface = view.focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.asked.isEmpty(), 10000);
    QCOMPARE(recorder.asked.first().url, next);
    QVERIFY(recorder.asked.first().type == WebViewDelegate::NavigationType::LinkClicked);
    QVERIFY(recorder.asked.first().mainFrame);
    // The engine ends the refused navigation; the delegate heard of none of it.
    QTRY_VERIFY_WITH_TIMEOUT(refusedLoadEnded, 10000);
    QCOMPARE(recorder.started, 1);
    QCOMPARE(recorder.failed, 0);
    QCOMPARE(evaluate(&view, "document.title"), QStringLiteral("changed"));
    QVERIFY(!view.canGoBack());
}

void TestWebView::pageReadsNoFileNorOtherOrigin_data()
{
    QTest::addColumn<int>("padding");
    QTest::newRow("small page") << 0;
    QTest::newRow("3 MB page") << 3 * 1024 * 1024;
}

// Pages come over plain http: whatever its size, a page's scripts read neither the user's
// files nor another origin's answers, and its pictures still load from the site with the
// site's cookies.
void TestWebView::pageReadsNoFileNorOtherOrigin()
{
    QFETCH(int, padding);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "PNG"));

    // The page's script is held until the test has seen that the page did not finish without it.
    ReplyGate gate;
    LoopbackServer site;
    QVERIFY2(site.isListening(), qPrintable(site.error()));
    // Let a held answer go before the server joins its handlers, even when the test stops early.
    const auto letGo = qScopeGuard([&gate] { gate.releaseAll(); });
    site.setHandler([png, &gate](const httplib::Request& request, httplib::Response& response) {
        if (request.path == "/site/pic.png" && request.get_header_value("Cookie").find("session=ok") != std::string::npos) {
            response.set_content(png.toStdString(), "image/png");
        } else if (request.path == "/site/app.js") {
            gate.hold(QStringLiteral("app.js"));
            response.set_content("window.appRan = true;", "text/javascript");
        } else {
            response.status = 403;
        }
    });
    LoopbackServer other;
    QVERIFY2(other.isListening(), qPrintable(other.error()));
    other.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content("other secret", "text/plain");
    });
    QTemporaryDir dir;
    QFile secret(dir.filePath(QStringLiteral("cookies.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("file secret") > 0);
    secret.close();
    Cookie session;
    session.name = QStringLiteral("session");
    session.value = QStringLiteral("ok");
    session.domain = QStringLiteral("127.0.0.1");
    QVERIFY(CookieStore::shared().setCookie(session));

    WebView view;
    view.resize(320, 416);
    view.show();
    Recorder recorder;
    view.setDelegate(&recorder);
    const QString html = QStringLiteral(
        "<html><head><title>t</title><script src='app.js'></script></head>"
        "<body><img id='pic' src='pic.png'><p id='pad'>%1</p><script>"
        "function read(url, name) {"
        "  window[name + 'Fetch'] = 'pending';"
        "  fetch(url).then(r => r.text()).then(t => { window[name + 'Fetch'] = 'read ' + t; },"
        "                                     () => { window[name + 'Fetch'] = 'refused'; });"
        "  window[name + 'Xhr'] = 'pending';"
        "  try {"
        "    var x = new XMLHttpRequest();"
        "    x.onload = () => { window[name + 'Xhr'] = 'read ' + x.responseText; };"
        "    x.onerror = () => { window[name + 'Xhr'] = 'refused'; };"
        "    x.open('GET', url); x.send();"
        "  } catch (e) { window[name + 'Xhr'] = 'refused'; }"
        "}"
        "read('%2', 'file'); read('%3', 'other');"
        "</script></body></html>")
        .arg(QString(padding, QLatin1Char('x')), QUrl::fromLocalFile(secret.fileName()).toString(),
             other.url(QStringLiteral("/secret")).toString());
    view.loadHTMLString(html, site.url(QStringLiteral("/site/")));
    QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("app.js")}, 30000);
    QCOMPARE(recorder.finished, 0);
    gate.release(QStringLiteral("app.js"));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.finished, 1, 30000);
    QCOMPARE(recorder.failed, 0);
    // When the delegate hears of the finish, the whole page is there, its scripts have run
    // and its picture has loaded.
    QCOMPARE(evaluate(&view, "[window.appRan, !!document.getElementById('pad'), document.readyState,"
                             " document.getElementById('pic').naturalWidth].join()"),
             QStringLiteral("true,true,complete,4"));
    QCOMPARE(recorder.finished, 1);

    QTRY_COMPARE_WITH_TIMEOUT(evaluate(&view, "[fileFetch, fileXhr, otherFetch, otherXhr].join()"),
                              QStringLiteral("refused,refused,refused,refused"), 20000);
    QCOMPARE(evaluate(&view, "location.protocol"), QStringLiteral("http:"));
    QCOMPARE(evaluate(&view, "String(document.getElementById('pad').textContent.length)"),
             QString::number(padding));
    QVERIFY(CookieStore::shared().deleteCookie(session));
}

QTEST_MAIN(TestWebView)
#include "tst_webview.moc"
