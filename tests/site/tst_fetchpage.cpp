#include "platform/core/OperationQueue.h"
#include "site/FetchPageAllTorrents.h"
#include "site/FetchPageGeneric.h"
#include "site/FetchPagePost.h"
#include "site/ImageLoader.h"

#include <httplib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QMutex>
#include <QTest>
#include <QThread>

#include <thread>

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
    void cleanupTestCase();
    void init();

    void noSelectorDeliversNothing();
    void orderedPagesDeliverInPageOrder_data();
    void orderedPagesDeliverInPageOrder();
    void absentDependencyDeliversAtOnce();
    void destroyedTargetIsNotCalled();
    void sessionRenewalArrivesOnWorker();
    void postDeliversTrueWhateverTheAnswer_data();
    void postDeliversTrueWhateverTheAnswer();
    void imageLoaderDeliversOnlyPictures();

private:
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
    }

    httplib::Server m_server;
    std::thread m_serverThread;
    int m_port = 0;
    QByteArray m_png;
    QMutex m_lock;           // guards what the server records
    QStringList m_hits;      // paths in the order their answers were sent
    QByteArray m_lastPost;
};

void TestFetchPage::initTestCase()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer buffer(&m_png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "PNG"));

    // /list/N?delay=ms answers page N's listing after the delay.
    m_server.Get(R"(/list/(\d+))", [this](const httplib::Request& req, httplib::Response& res) {
        if (req.has_param("delay"))
            QThread::msleep(std::stoi(req.get_param_value("delay")));
        res.set_content(listingPage(req.matches[1]), "text/html");
        QMutexLocker locker(&m_lock);
        m_hits.append(QString::fromStdString(req.path));
    });
    m_server.Get("/text", [this](const httplib::Request& req, httplib::Response& res) {
        res.set_content("hello", "text/html");
        QMutexLocker locker(&m_lock);
        m_hits.append(QString::fromStdString(req.path));
    });
    m_server.Post("/error", [this](const httplib::Request& req, httplib::Response& res) {
        res.status = 500;
        res.set_content("<b>Error</b>", "text/html");
        QMutexLocker locker(&m_lock);
        m_lastPost = QByteArray::fromStdString(req.body);
    });
    m_server.Get("/picture.png", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content(m_png.toStdString(), "image/png");
    });
    m_server.Get("/notapicture.png", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html>not a picture</html>", "image/png");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    QVERIFY(m_port > 0);
    m_serverThread = std::thread([this] { m_server.listen_after_bind(); });
}

void TestFetchPage::cleanupTestCase()
{
    m_server.stop();
    m_serverThread.join();
}

void TestFetchPage::init()
{
    QMutexLocker locker(&m_lock);
    m_hits.clear();
    m_lastPost.clear();
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
    QCOMPARE(m_hits, (QStringList{"/text", "/list/1"}));
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
void TestFetchPage::orderedPagesDeliverInPageOrder()
{
    QFETCH(int, first);
    Receiver receiver;
    OperationQueue queue(10);
    auto list = std::make_shared<PriorityList>();
    list->fill(first, 3);
    const int delays[3] = {300, 600, 0};
    for (int i = 0; i < 3; ++i) {
        const int page = first + i;
        const std::optional<int> depend = i == 0 ? std::nullopt : std::optional<int>(page - 1);
        queue.addOperation(std::make_unique<FetchPageAllTorrents>(
            url(QStringLiteral("/list/%1?delay=%2").arg(page).arg(delays[i])), &receiver,
            &Receiver::loadedTorrents, list, page, depend));
    }
    const auto name = [first](int i) { return QStringLiteral("Page %1").arg(first + i); };
    const auto path = [first](int i) { return QStringLiteral("/list/%1").arg(first + i); };
    QTRY_COMPARE(receiver.calls, (QStringList{name(0), name(1), name(2)}));
    QCOMPARE(m_hits, (QStringList{path(2), path(0), path(1)}));
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
    QCoreApplication::processEvents();
    QTest::qWait(50);
    QVERIFY(watch.isNull());
    QCOMPARE(calls, 0);
    QCOMPARE(m_hits.size(), 2);
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

void TestFetchPage::postDeliversTrueWhateverTheAnswer_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("error page") << QStringLiteral("/error");
    QTest::newRow("no answer") << QStringLiteral("http://127.0.0.1:1/error");
}

void TestFetchPage::postDeliversTrueWhateverTheAnswer()
{
    QFETCH(QString, target);
    Receiver receiver;
    OperationQueue queue(1);
    const QUrl address = target.startsWith('/') ? url(target) : QUrl(target);
    queue.addOperation(std::make_unique<FetchPagePost>(address, QStringLiteral("id=7&a=b%26c"),
                                                       &receiver, &Receiver::posted));
    QTRY_COMPARE(receiver.calls, QStringList{"true"});
    if (target.startsWith('/'))
        QCOMPARE(m_lastPost, QByteArray("id=7&a=b%26c"));
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
