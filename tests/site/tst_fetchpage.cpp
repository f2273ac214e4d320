#include "LoopbackServer.h"
#include "ReplyGate.h"
#include "platform/core/MainThread.h"
#include "platform/core/OperationQueue.h"
#include "site/FetchPageAllTorrents.h"
#include "site/FetchPageGeneric.h"
#include "site/FetchPagePost.h"
#include "site/ImageLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMutex>
#include <QTest>
#include <QThread>

namespace {

// One listing row per page, named after the page, as the site's table lays it out.
std::string listingPage(const std::string& page)
{
    return "<table>\n<tr>\n<td><img src=\"/images/cats/film.gif\"></td>\n"
           "<td><a href=\"/files/details/" + page + "\">Page " + page + "</a></td>\n"
           "<td>Action</td>\n<td><a href=\"/files/download/" + page + ".torrent\">get</a></td>\n"
           "<td>1.5 MB</td>\n<td></td>\n<td class=\"green\">5</td>\n<td class=\"red\">2</td>\n"
           "</tr>\n</table>\n";
}

} // namespace

// Records every delivery with the thread it arrived on.
class Receiver : public QObject
{
    Q_OBJECT

public:
    QStringList calls;
    QThread* lastThread = nullptr;
    LoadedImage image;

    void loadedTorrents(const std::optional<QList<Torrent>>& torrents)
    {
        for (const Torrent& t : torrents.value_or(QList<Torrent>()))
            calls.append(t.name());
        lastThread = QThread::currentThread();
    }
    void initializeWebView(const QString& html) { record(QStringLiteral("page:") + html); }
    void posted(bool done) { record(done ? QStringLiteral("true") : QStringLiteral("false")); }
    void imageReady(LoadedImage loaded)
    {
        image = loaded;
        record(QStringLiteral("image"));
    }
    void sessionInvalidatedResponse(const QString& html) { record(QStringLiteral("renewal:") + html); }

private:
    void record(const QString& call)
    {
        QMutexLocker locker(&m_lock);
        calls.append(call);
        lastThread = QThread::currentThread();
    }
    QMutex m_lock;
};

class TestFetchPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void noSelectorDeliversNothing();
    void orderedPagesDeliverInPageOrder_data();
    void orderedPagesDeliverInPageOrder();
    void absentDependencyDeliversAtOnce();
    void destroyedTargetIsNotCalled();
    void sessionRenewalArrivesOnWorker();
    void postDeliversWhetherTheSiteTookIt_data();
    void postDeliversWhetherTheSiteTookIt();
    void imageLoaderDeliversOnlyPictures();

private:
    QUrl url(const QString& path) const { return m_server.url(path); }
    // Paths in the order they were asked for.
    QStringList askedPaths() const
    {
        QStringList paths;
        for (const RecordedRequest& request : m_server.requests())
            paths.append(QUrl(QString::fromLatin1(request.target)).path());
        return paths;
    }
    // Paths in the order their answers were sent (a moment after the client may have read them).
    QStringList answeredPaths() const
    {
        QStringList paths;
        for (const QByteArray& target : m_server.answered())
            paths.append(QUrl(QString::fromLatin1(target)).path());
        return paths;
    }

    QByteArray m_png;
    LoopbackServer m_server;
    ReplyGate m_gate; // declared after the server, so it lets held replies go first
};

void TestFetchPage::initTestCase()
{
    QVERIFY2(m_server.isListening(), qPrintable(m_server.error()));
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer buffer(&m_png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "PNG"));

    // /list/N answers page N's listing, /list/N?held once the test releases "/list/N".
    m_server.setHandler([this](const httplib::Request& req, httplib::Response& res) {
        const QString path = QString::fromStdString(req.path);
        if (path.startsWith(QLatin1String("/list/"))) {
            if (req.has_param("held"))
                m_gate.hold(path);
            res.set_content(listingPage(path.mid(6).toStdString()), "text/html");
        } else if (path == QLatin1String("/text")) {
            res.set_content("hello", "text/html");
        } else if (path == QLatin1String("/empty")) {
            res.set_content("", "text/html");
        } else if (path == QLatin1String("/signin")) {
            res.set_content("<title>Tarnvale :: User log in</title>", "text/html");
        } else if (path == QLatin1String("/error")) {
            res.status = 500;
            res.set_content("<b>Error</b>", "text/html");
        } else if (path == QLatin1String("/picture.png")) {
            res.set_content(m_png.toStdString(), "image/png");
        } else if (path == QLatin1String("/notapicture.png")) {
            res.set_content("<html>not a picture</html>", "image/png");
        } else {
            res.status = 404;
        }
    });
}

void TestFetchPage::init()
{
    m_gate.reset();
    m_server.clearRequests();
}

// A test that failed while replies were held lets them go, and waits until they are out,
// so that its fetches end and nothing of it reaches the next test.
void TestFetchPage::cleanup()
{
    m_gate.releaseAll();
    QTRY_VERIFY(m_gate.held().isEmpty());
    QTRY_COMPARE(m_server.answered().size(), m_server.requestCount());
}

// The request is made, but a null selector means no call at all.
void TestFetchPage::noSelectorDeliversNothing()
{
    Receiver receiver;
    OperationQueue queue(1);
    void (Receiver::*none)(const QString&) = nullptr;
    queue.addOperation(std::make_unique<FetchPageGeneric>(
        url("/text"), &receiver, none, FetchPageGeneric::classType<HttpRequest>()));
    // With an ordering list, the operation still leaves its entry so the batch goes on.
    auto list = std::make_shared<PriorityList>();
    list->fill(1, 1);
    void (Receiver::*noTorrents)(const std::optional<QList<Torrent>>&) = nullptr;
    queue.addOperation(std::make_unique<FetchPageAllTorrents>(url("/list/1"), &receiver,
                                                              noTorrents, list, 1, std::nullopt));
    queue.waitUntilAllOperationsAreFinished();
    QCoreApplication::processEvents();
    QCOMPARE(askedPaths(), (QStringList{"/text", "/list/1"}));
    QVERIFY(receiver.calls.isEmpty());
    QVERIFY(list->isEmpty());
}

void TestFetchPage::orderedPagesDeliverInPageOrder_data()
{
    QTest::addColumn<int>("first");
    QTest::newRow("pages 1 to 3") << 1;
    // A batch that reaches page 999 must not wait for itself.
    QTest::newRow("pages 998 to 1000") << 998;
    QTest::newRow("pages 999 to 1001") << 999;
}

// The fetches finish last page first, then first, then second; deliveries keep page order.
// The server holds each page until the test lets it go, one at a time.
void TestFetchPage::orderedPagesDeliverInPageOrder()
{
    QFETCH(int, first);
    Receiver receiver;
    OperationQueue queue(10);
    auto list = std::make_shared<PriorityList>();
    list->fill(first, 3);
    const auto name = [first](int i) { return QStringLiteral("Page %1").arg(first + i); };
    const auto path = [first](int i) { return QStringLiteral("/list/%1").arg(first + i); };
    for (int i = 0; i < 3; ++i) {
        const int page = first + i;
        const std::optional<int> depend = i == 0 ? std::nullopt : std::optional<int>(page - 1);
        queue.addOperation(std::make_unique<FetchPageAllTorrents>(
            url(path(i) + QStringLiteral("?held")), &receiver, &Receiver::loadedTorrents, list,
            page, depend));
    }
    const auto held = [this] {
        QStringList keys = m_gate.held();
        keys.sort();
        return keys;
    };
    QStringList all{path(0), path(1), path(2)};
    all.sort();
    QTRY_COMPARE(held(), all); // all three asked before any is answered

    m_gate.release(path(2));
    QTRY_COMPARE(answeredPaths(), QStringList{path(2)});
    m_gate.release(path(0));
    QTRY_COMPARE(answeredPaths(), (QStringList{path(2), path(0)}));
    // The first page goes out alone: the third waits for the second, still held.
    QTRY_COMPARE(receiver.calls, QStringList{name(0)});
    QTRY_COMPARE(list->values(), (QList<int>{first + 1, first + 2}));

    m_gate.release(path(1));
    QTRY_COMPARE(receiver.calls, (QStringList{name(0), name(1), name(2)}));
    QTRY_COMPARE(answeredPaths(), (QStringList{path(2), path(0), path(1)}));
    QCOMPARE(receiver.lastThread, QThread::currentThread());
    QTRY_VERIFY(list->isEmpty());
}

// Waiting looks at the list before sleeping: a number that is not there holds nothing up.
void TestFetchPage::absentDependencyDeliversAtOnce()
{
    Receiver receiver;
    OperationQueue queue(1);
    auto list = std::make_shared<PriorityList>();
    list->fill(5, 2); // 5 never goes away during this test
    queue.addOperation(std::make_unique<FetchPageAllTorrents>(
        url("/list/6"), &receiver, &Receiver::loadedTorrents, list, 6, 4));
    QTRY_COMPARE(receiver.calls, QStringList{"Page 6"});
    QCOMPARE(list->values(), QList<int>{5});
}

// The result is already queued to the main thread when the target goes away.
void TestFetchPage::destroyedTargetIsNotCalled()
{
    auto* receiver = new Receiver;
    QPointer<Receiver> watch(receiver);
    int calls = 0;
    Callback<QString> counting(receiver, [&calls](QString) { ++calls; });
    OperationQueue queue(1);
    queue.addOperation(std::make_unique<FetchPageGeneric>(
        url("/text"), receiver, &Receiver::initializeWebView, FetchPageGeneric::ClassType()));
    queue.addOperation(std::make_unique<FetchPageGeneric>(url("/text"), counting,
                                                          FetchPageGeneric::ClassType()));
    queue.waitUntilAllOperationsAreFinished();
    delete receiver;
    // Calls posted to the main thread run in order: once this one has run, so have theirs.
    bool drained = false;
    MainThread::post([&drained] { drained = true; });
    QTRY_VERIFY(drained);
    QVERIFY(watch.isNull());
    QCOMPARE(calls, 0);
    QCOMPARE(m_server.requestCount(), 2);
}

void TestFetchPage::sessionRenewalArrivesOnWorker()
{
    Receiver receiver;
    OperationQueue queue(1);
    auto operation = std::make_unique<FetchPageGeneric>(
        url("/text"), &receiver, &Receiver::sessionInvalidatedResponse,
        FetchPageGeneric::classType<HttpRequest>());
    operation->setDeliversOnWorkerThread(true);
    queue.addOperation(std::move(operation));
    // The main thread runs no events while waiting: the call cannot need it.
    queue.waitUntilAllOperationsAreFinished();
    QCOMPARE(receiver.calls, QStringList{"renewal:hello"});
    QVERIFY(receiver.lastThread != QThread::currentThread());
}

// Whether the site took the post: only a 2xx answer with a body that is not the sign-in page.
void TestFetchPage::postDeliversWhetherTheSiteTookIt_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("delivered");
    QTest::newRow("page") << QStringLiteral("/text") << QStringLiteral("true");
    QTest::newRow("error page") << QStringLiteral("/error") << QStringLiteral("false");
    QTest::newRow("empty answer") << QStringLiteral("/empty") << QStringLiteral("false");
    QTest::newRow("sign-in page") << QStringLiteral("/signin") << QStringLiteral("false");
    QTest::newRow("no answer") << QStringLiteral("http://127.0.0.1:1/error") << QStringLiteral("false");
}

void TestFetchPage::postDeliversWhetherTheSiteTookIt()
{
    QFETCH(QString, target);
    QFETCH(QString, delivered);
    Receiver receiver;
    OperationQueue queue(1);
    const QUrl address = target.startsWith('/') ? url(target) : QUrl(target);
    queue.addOperation(std::make_unique<FetchPagePost>(address, QStringLiteral("id=7&a=b%26c"),
                                                       &receiver, &Receiver::posted));
    QTRY_COMPARE(receiver.calls, QStringList{delivered});
    if (target.startsWith('/')) {
        const QList<RecordedRequest> requests = m_server.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.constFirst().body, QByteArray("id=7&a=b%26c"));
    }
}

void TestFetchPage::imageLoaderDeliversOnlyPictures()
{
    Receiver receiver;
    OperationQueue queue(3);
    queue.addOperation(std::make_unique<ImageLoader>(url("/notapicture.png"), &receiver,
                                                     &Receiver::imageReady));
    queue.addOperation(std::make_unique<ImageLoader>(url("/missing.png"), &receiver,
                                                     &Receiver::imageReady));
    queue.waitUntilAllOperationsAreFinished();
    QCoreApplication::processEvents();
    QVERIFY(receiver.calls.isEmpty());

    const QUrl picture = url("/picture.png");
    queue.addOperation(std::make_unique<ImageLoader>(picture, &receiver, &Receiver::imageReady));
    QTRY_COMPARE(receiver.calls, QStringList{"image"});
    QCOMPARE(receiver.image.url, picture.toString(QUrl::FullyEncoded));
    QCOMPARE(receiver.image.image.size(), QSize(3, 2));
    QCOMPARE(receiver.image.image.pixelColor(0, 0), QColor(Qt::red));
}

QTEST_GUILESS_MAIN(TestFetchPage)
#include "tst_fetchpage.moc"
