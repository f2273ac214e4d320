// The demo site: listing pages read by the app's own listing parser, filters, sort orders,
// search and paging, the pictures and files rows point at, and the sign-in page over TLS
// that verifies with the demo CA only.
#include "DemoAccounts.h"
#include "DemoCategory.h"
#include "DemoHtml.h"
#include "DemoSite.h"
#include "platform/core/SettingsStore.h"
#include "site/HttpRequestRegExTorrent.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <httplib.h>

#include <algorithm>
#include <functional>

namespace {

struct Page
{
    int status = 0;
    QString html;
    QList<Torrent> rows;
};

int idOf(const Torrent& torrent)
{
    static const QRegularExpression id(QStringLiteral("^/torrent/(\\d+)/"));
    return id.match(torrent.detailsUrl()).captured(1).toInt();
}

// The key an order code sorts by; the id (upload order) for the date.
qint64 sortKey(const DemoTorrent& t, QChar order)
{
    switch (order.toUpper().unicode()) {
    case 'B': return t.sizeBytes;
    case 'S': return t.seeders;
    case 'L': return t.leechers;
    default: return t.id;
    }
}

// Bytes from a size text such as "1,596.79 MB".
double bytesOf(const QString& size)
{
    const QStringList parts = size.split(u' ');
    const double number = QString(parts.value(0)).remove(u',').toDouble();
    const QString unit = parts.value(1);
    const double scale = unit == "KB" ? 1024.0 : unit == "MB" ? 1048576.0 : unit == "GB" ? 1073741824.0 : 1.0;
    return number * scale;
}

} // namespace

class TestDemoSite : public QObject
{
    Q_OBJECT

private:
    DemoSite m_site;
    QTemporaryDir m_dir;

    Page get(const QUrl& url)
    {
        httplib::Client client("127.0.0.1", m_site.httpPort());
        std::string target = url.path(QUrl::FullyEncoded).toStdString();
        if (url.hasQuery())
            target += "?" + url.query(QUrl::FullyEncoded).toStdString();
        Page page;
        if (auto res = client.Get(target.c_str())) {
            page.status = res->status;
            page.html = QString::fromStdString(res->body);
            page.rows = HttpRequestRegExTorrent::parseTorrents(page.html, {});
        }
        return page;
    }

    // Every row must be a catalogue torrent shown as the catalogue holds it.
    void checkRowsMatchCatalogue(const QList<Torrent>& rows)
    {
        for (const Torrent& row : rows) {
            const DemoTorrent* t = m_site.catalog().byId(idOf(row));
            QVERIFY2(t, qPrintable(row.detailsUrl()));
            const DemoCategory* category = DemoCategory::byCode(t->category);
            QCOMPARE(row.name(), t->name);
            // Some categories' pictures are given by their address on the picture host.
            const QString picture = category->remotePicture
                                        ? QStringLiteral("http://%1/pictures/cats/%2").arg(m_site.webHost(), category->imageFile)
                                        : category->imageFile;
            QCOMPARE(row.type(), QString(picture).replace("gif", "png"));
            QCOMPARE(row.subType(), category->subCategories.at(t->subCategory - 1));
            QCOMPARE(row.up(), QString::number(t->seeders));
            QCOMPARE(row.down(), QString::number(t->leechers));
            QVERIFY2(QRegularExpression(QStringLiteral("^\\d{1,3}(,\\d{3})*(\\.\\d\\d)? (bytes|KB|MB|GB)$"))
                         .match(row.size()).hasMatch(),
                     qPrintable(row.size()));
            QVERIFY2(qAbs(bytesOf(row.size()) - double(t->sizeBytes)) <= double(t->sizeBytes) * 0.001,
                     qPrintable(row.size()));
            QVERIFY(row.downloadUrl().startsWith(QStringLiteral("/files/download/%1/").arg(t->id)));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The app's listing request reads the download history from the settings.
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(m_site.start(&error), qPrintable(error));
        // These cases read what the site shows; signing in has tests of its own.
        m_site.accounts().setSessionRequired(false);
        QVERIFY(m_site.httpPort() > 0 && m_site.httpsPort() > 0);
        QCOMPARE(m_site.webHost(), QStringLiteral("www.tarnvale.localhost:%1").arg(m_site.httpPort()));
        QCOMPARE(m_site.secureWebHost(), QStringLiteral("www.tarnvale.localhost:%1").arg(m_site.httpsPort()));
    }

    // category, language, sort, query: every page 1 and 2 holds full pages of rows that
    // the filters select, in the order asked for, continuing across the page boundary.
    void listingPages_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("query");

        QTest::newRow("all, newest first") << "0" << "0" << "" << "";
        QTest::newRow("movies in English by size, largest first") << "1" << "1" << "B" << "";
        QTest::newRow("movies in English by size, smallest first") << "1" << "1" << "b" << "";
        QTest::newRow("TV by seeders, most first") << "3" << "0" << "S" << "";
        QTest::newRow("all by seeders, fewest first") << "0" << "0" << "s" << "";
        QTest::newRow("music by leechers, most first") << "2" << "0" << "L" << "";
        QTest::newRow("all by leechers, fewest first") << "0" << "0" << "l" << "";
        QTest::newRow("English, oldest first") << "0" << "1" << "d" << "";
    }

    void listingPages()
    {
        QFETCH(QString, category);
        QFETCH(QString, language);
        QFETCH(QString, sort);
        QFETCH(QString, query);

        const Page first = get(m_site.listingUrl(category, language, sort, query, 1));
        const Page second = get(m_site.listingUrl(category, language, sort, query, 2));
        QCOMPARE(first.status, 200);
        QVERIFY(first.html.startsWith("<!DOCTYPE html"));
        QVERIFY(first.html.contains("</html>"));
        QCOMPARE(first.rows.size(), 50);
        QCOMPARE(second.rows.size(), 50);
        checkRowsMatchCatalogue(first.rows);
        checkRowsMatchCatalogue(second.rows);

        const QList<Torrent> both = first.rows + second.rows;
        const QChar order = sort.isEmpty() ? QChar('D') : sort.at(0);
        const bool ascending = order.isLower();
        QList<int> ids;
        for (const Torrent& row : both) {
            const DemoTorrent* t = m_site.catalog().byId(idOf(row));
            if (category != "0")
                QCOMPARE(t->category, category);
            if (language != "0")
                QCOMPARE(t->language, language);
            if (!ids.isEmpty()) {
                const qint64 previous = sortKey(*m_site.catalog().byId(ids.last()), order);
                const qint64 current = sortKey(*t, order);
                QVERIFY2(ascending ? previous <= current : previous >= current,
                         qPrintable(QStringLiteral("row %1 out of order").arg(ids.size())));
            }
            ids.append(t->id);
        }
        // Page 2 carries on from page 1: no torrent shows twice.
        QCOMPARE(QSet<int>(ids.begin(), ids.end()).size(), 100);

        // The first row is the extreme of everything the filters select.
        qint64 extreme = ascending ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
        for (const DemoTorrent& t : m_site.catalog().torrents()) {
            if ((category == "0" || t.category == category) && (language == "0" || t.language == language))
                extreme = ascending ? std::min(extreme, sortKey(t, order)) : std::max(extreme, sortKey(t, order));
        }
        QCOMPARE(sortKey(*m_site.catalog().byId(ids.first()), order), extreme);
    }

    // Odd pages give each torrent one table row, even pages two; the app's own listing
    // request reads every torrent of both, whole and in the catalogue's order.
    void bothLayoutsThroughTheAppsRequest_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("twoRows");
        QTest::newRow("page 1: one row per torrent") << 1 << false;
        QTest::newRow("page 2: two rows per torrent") << 2 << true;
        QTest::newRow("page 3: one row per torrent") << 3 << false;
    }

    void bothLayoutsThroughTheAppsRequest()
    {
        QFETCH(int, page);
        QFETCH(bool, twoRows);
        HttpRequestRegExTorrent request(m_site.listingUrl("0", "0", "S", "", page));
        request.request();
        QCOMPARE(request.statusCode(), 200);
        QCOMPARE(request.result().contains(QLatin1String("rowspan=\"2\"")), twoRows);
        QVERIFY(request.torrents());
        QVERIFY(!request.timedOut());
        const QList<Torrent>& rows = *request.torrents();
        checkRowsMatchCatalogue(rows);

        DemoCatalog::Query query;
        query.sort = QStringLiteral("S");
        query.page = page;
        QList<int> expected;
        for (const DemoTorrent* t : m_site.catalog().page(query))
            expected.append(t->id);
        QList<int> ids;
        for (const Torrent& row : rows)
            ids.append(idOf(row));
        QCOMPARE(ids.size(), 50);
        QCOMPARE(ids, expected);
    }

    // The search words narrow the list; names with character references come through whole.
    void searchNarrows_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("written"); // how the page writes the name part

        QTest::newRow("one word, other case") << "kasimir" << QStringList{"Kasimir"} << "Kasimir";
        QTest::newRow("two words") << "Iron Harbor" << QStringList{"iron", "harbor"} << "Iron Harbor";
        QTest::newRow("name with an ampersand") << "Loose" << QStringList{"fast & loose"} << "Fast &amp; Loose";
        QTest::newRow("name with an apostrophe") << "Captain" << QStringList{"captain's"} << "Captain&#39;s";
        QTest::newRow("name with double quotes") << "Cheese" << QStringList{"\"cheese\""} << "&quot;Cheese&quot;";
        QTest::newRow("name with accents") << "Café" << QStringList{"amélie's café"} << "Amélie&#39;s Café";
    }

    void searchNarrows()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, words);
        QFETCH(QString, written);

        const Page page = get(m_site.listingUrl("0", "0", "", query, 1));
        QCOMPARE(page.status, 200);
        QVERIFY(!page.rows.isEmpty());
        QVERIFY(page.rows.size() < 50);
        checkRowsMatchCatalogue(page.rows);
        for (const Torrent& row : page.rows) {
            for (const QString& word : words)
                QVERIFY2(row.name().contains(word, Qt::CaseInsensitive), qPrintable(row.name()));
        }
        QVERIFY(page.html.contains(written));
    }

    void pagePastTheEndHasNoRows()
    {
        const int pages = (int(m_site.catalog().torrents().size()) + 49) / 50;
        QCOMPARE(get(m_site.listingUrl("0", "0", "", "", pages)).rows.isEmpty(), false);
        const Page past = get(m_site.listingUrl("0", "0", "", "", pages + 1));
        QCOMPARE(past.status, 200);
        QVERIFY(past.html.contains("</html>"));
        QCOMPARE(past.rows.size(), 0);
        QCOMPARE(get(m_site.listingUrl("0", "0", "", "no such torrent anywhere", 1)).rows.size(), 0);
    }

    // The catalogue shows every unit, sizes with thousands commas, and sub-categories with
    // an ampersand, so the app meets each form the site writes.
    void contentCoversTheSiteForms()
    {
        QSet<QString> units;
        bool comma = false;
        bool ampersandSubCategory = false;
        for (const DemoTorrent& t : m_site.catalog().torrents()) {
            const QString size = DemoHtml::sizeText(t.sizeBytes);
            units.insert(size.section(' ', 1));
            comma = comma || size.contains(',');
            const DemoCategory* category = DemoCategory::byCode(t.category);
            ampersandSubCategory = ampersandSubCategory || category->subCategories.at(t.subCategory - 1).contains('&');
        }
        QCOMPARE(units, (QSet<QString>{"bytes", "KB", "MB", "GB"}));
        QVERIFY(comma);
        QVERIFY(ampersandSubCategory);
        QVERIFY(m_site.catalog().torrents().size() >= 2000);
    }

    // What a row points at is served: the category picture, the details page, the file.
    void rowLinksAreServed()
    {
        const Page page = get(m_site.listingUrl("0", "0", "", "", 1));
        QVERIFY(!page.rows.isEmpty());
        const Torrent& row = page.rows.first();
        httplib::Client client("127.0.0.1", m_site.httpPort());

        const QString picture = QString(row.type()).replace("png", "gif");
        auto res = client.Get(("/images/cats/" + picture).toStdString().c_str());
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(QImage::fromData(QByteArray::fromStdString(res->body)).size(), QSize(48, 36));

        res = client.Get(row.detailsUrl().toStdString().c_str());
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QVERIFY(QString::fromStdString(res->body).contains("Details for " + DemoHtml::escape(row.name())));

        res = client.Get(row.downloadUrl().toStdString().c_str());
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(res->get_header_value("Content-Type"), std::string("application/x-bittorrent"));
        QVERIFY(!res->body.empty());

        res = client.Get("/files/download/999999/Nothing.torrent");
        QVERIFY(res);
        QCOMPARE(res->status, 404);
    }

    // The sign-in page verifies against the demo CA under the site's names, and only so.
    void signInOverVerifiedTls_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("trustDemoCa");
        QTest::addColumn<bool>("verifies");

        QTest::newRow("web host name, demo CA") << "www.tarnvale.localhost" << true << true;
        QTest::newRow("loopback address, demo CA") << "127.0.0.1" << true << true;
        QTest::newRow("system CAs only") << "www.tarnvale.localhost" << false << false;
        QTest::newRow("name not in the certificate") << "www.example.org" << true << false;
    }

    void signInOverVerifiedTls()
    {
        QFETCH(QString, host);
        QFETCH(bool, trustDemoCa);
        QFETCH(bool, verifies);

        for (const char* method : {"GET", "POST"}) {
            httplib::SSLClient client(host.toStdString(), m_site.httpsPort());
            client.set_hostname_addr_map({{host.toStdString(), "127.0.0.1"}});
            client.enable_server_certificate_verification(true);
            if (trustDemoCa)
                client.set_ca_cert_path(m_site.caCertificatePath().toStdString().c_str());
            auto res = QByteArray(method) == "GET"
                           ? client.Get("/account_handler.php")
                           : client.Post("/account_handler.php", "nickname=demo&password=x&Submit=submit",
                                         "application/x-www-form-urlencoded");
            QCOMPARE(bool(res), verifies);
            if (!verifies)
                continue;
            QCOMPARE(res->status, 200);
            const QString html = QString::fromStdString(res->body);
            QVERIFY(html.contains("<title>User log in - Tarnvale</title>"));
            QVERIFY(html.contains("name=\"nickname\""));
            QVERIFY(html.contains("name=\"password\""));
        }
    }

    // A port already taken is an error, not a port shared with the running site.
    void takenPortFailsToStart()
    {
        DemoSite second(m_site.httpPort());
        QString error;
        QVERIFY(!second.start(&error));
        QVERIFY(!second.isRunning());
        QVERIFY(error.contains(QString::number(m_site.httpPort())));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!get(m_site.listingUrl()).rows.isEmpty());
    }

    // The CA file and its private folder are owner-only where it matters, and go away on stop.
    void stopClosesServersAndRemovesFiles()
    {
        DemoSite site;
        QVERIFY(site.start());
        const QString ca = site.caCertificatePath();
        const QFileInfo folder(QFileInfo(ca).absolutePath());
        QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), QFile::Permissions());
        const int port = site.httpPort();
        QVERIFY(httplib::Client("127.0.0.1", port).Get("/files/"));
        site.stop();
        QVERIFY(!site.isRunning());
        QVERIFY(!QFile::exists(ca));
        QVERIFY(!httplib::Client("127.0.0.1", port).Get("/files/"));
    }
};

QTEST_GUILESS_MAIN(TestDemoSite)
#include "tst_demosite.moc"
