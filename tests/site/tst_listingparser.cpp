#include "Fixture.h"
#include "LoopbackServer.h"
#include "platform/core/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "site/HttpRequestRegEx.h"
#include "site/HttpRequestRegExTorrent.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A table of rows that hold no torrent, in the layout of the site's navigation and footer.
QString plainRows(int count)
{
    QString rows = QStringLiteral("<table class=\"links\">\n");
    for (int i = 0; i < count; ++i)
        rows += QStringLiteral("<tr>\n<td class=\"l\"><a href=\"/page%1.php\">Page %1</a></td>\n"
                               "<td class=\"r\">%1 KB</td>\n</tr>\n").arg(i);
    return rows + QStringLiteral("</table>\n");
}

} // namespace

class TestListingParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows();
    void fields_data();
    void fields();
    void history();
    void pagesWithoutRows_data();
    void pagesWithoutRows();
    void rowsAroundTheTableChangeNothing();
    void requestReadsHistoryFromSettings();
    void requestWithUndecodableAnswer();
    void firstMatchRequest();

private:
    QTemporaryDir m_dir;
    QString m_page;
};

void TestListingParser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
    m_page = fixture(QStringLiteral("listing.html"));
}

void TestListingParser::rows()
{
    const QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(m_page, {});
    QStringList names;
    for (const Torrent& torrent : torrents)
        names << torrent.name();
    // The row whose size is in "TB" is skipped; the row after it keeps its own cells.
    QCOMPARE(names, QStringList({"Tom & Jerry Collection", "Quiet Album", "quiet album"}));
    QCOMPARE(torrents[2].size(), QStringLiteral("700 bytes"));
    QCOMPARE(torrents[2].up(), QStringLiteral("33"));
}

void TestListingParser::fields_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("every gif in the type") << 0 << "type" << "pngts_png.png";
    QTest::newRow("plain type") << 1 << "type" << "music.png";
    QTest::newRow("details link") << 0 << "detailsUrl" << "/torrent/1001/Tom.and.Jerry.Collection";
    QTest::newRow("sub-category cell with link") << 0 << "subType" << "Drama & Romance";
    QTest::newRow("plain sub-category") << 1 << "subType" << "FLAC";
    QTest::newRow("download link with spaces")
        << 0 << "downloadUrl" << "/files/download/1001/Tom%20and%20Jerry%20Collection.torrent";
    QTest::newRow("size with comma and decimals") << 0 << "size" << "1,234.56 MB";
    QTest::newRow("size in KB") << 1 << "size" << "312 KB";
    QTest::newRow("seeders") << 0 << "up" << "120";
    QTest::newRow("leechers") << 0 << "down" << "4";
}

void TestListingParser::fields()
{
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const Torrent torrent = HttpRequestRegExTorrent::parseTorrents(m_page, {}).value(row);
    const QHash<QString, QString> fields{
        {"type", torrent.type()},       {"detailsUrl", torrent.detailsUrl()}, {"subType", torrent.subType()},
        {"downloadUrl", torrent.downloadUrl()}, {"size", torrent.size()},    {"up", torrent.up()},
        {"down", torrent.down()}};
    QCOMPARE(fields.value(field), value);
    // A listing never fills these.
    QVERIFY(torrent.ratio().isNull() && torrent.active().isNull());
    QVERIFY(torrent.wait().isNull() && torrent.date().isNull());
    QVERIFY(!torrent.isNew());
}

void TestListingParser::history()
{
    const QList<Torrent> torrents =
        HttpRequestRegExTorrent::parseTorrents(m_page, {"Tom & Jerry Collection", "Quiet Album"});
    QVERIFY(torrents[0].isDownloaded()); // decoded name against the stored one
    QVERIFY(torrents[1].isDownloaded());
    QVERIFY(!torrents[2].isDownloaded()); // "quiet album" differs only in case
}

void TestListingParser::pagesWithoutRows_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("empty") << "";
    QTest::newRow("sign-in page") << "<html><head><title>Tarnvale :: User log in</title></head><body>"
                                     "<table><tr><td class=\"red\">Log in</td></tr></table></body></html>";
    QTest::newRow("navigation and footer only") << plainRows(30);
}

void TestListingParser::pagesWithoutRows()
{
    QFETCH(QString, page);
    QVERIFY(HttpRequestRegExTorrent::parseTorrents(page, {}).isEmpty());
}

void TestListingParser::rowsAroundTheTableChangeNothing()
{
    const QList<Torrent> plain = HttpRequestRegExTorrent::parseTorrents(m_page, {});
    const qsizetype body = m_page.indexOf(QLatin1String("<body>")) + 6;
    const qsizetype end = m_page.indexOf(QLatin1String("</body>"));
    QString around = m_page;
    around.insert(end, plainRows(300));
    around.insert(body, plainRows(300));
    QCOMPARE(HttpRequestRegExTorrent::parseTorrents(around, {}), plain);
}

void TestListingParser::requestReadsHistoryFromSettings()
{
    SettingsStore::standard().setStringArray(SettingsKeys::torrentHistory, {"Quiet Album"});
    LoopbackServer server;
    const QByteArray body = m_page.toUtf8();
    server.setHandler([body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body.toStdString(), "text/html");
    });
    HttpRequestRegExTorrent request(server.url(QStringLiteral("/files/?page=0")));
    request.request();
    QVERIFY(request.torrents());
    QCOMPARE(request.torrents()->size(), 3);
    QVERIFY(!request.torrents()->at(0).isDownloaded());
    QVERIFY(request.torrents()->at(1).isDownloaded());
    SettingsStore::standard().remove(SettingsKeys::torrentHistory);
}

void TestListingParser::requestWithUndecodableAnswer()
{
    LoopbackServer server;
    server.setHandler([](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string("<tr>\xff\xfe</tr>"), "text/html");
    });
    HttpRequestRegExTorrent request(server.url(QStringLiteral("/files/")));
    request.request();
    QVERIFY(!request.torrents());
}

void TestListingParser::firstMatchRequest()
{
    LoopbackServer server;
    server.setHandler([](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.path == "/id" ? "<a href=\"/users/alice\">alice</a> id=42" : "nothing here",
                             "text/html");
    });
    HttpRequestRegEx found(server.url(QStringLiteral("/id")), QStringLiteral("/users/(\\w+)\">.*id=(\\d+)"));
    found.request();
    QCOMPARE(found.result(), QStringLiteral("alice"));
    QVERIFY(found.elements());
    QCOMPARE(found.elements()->value(2), QStringLiteral("42"));

    // Without a match the page stays the result.
    HttpRequestRegEx missing(server.url(QStringLiteral("/none")), QStringLiteral("id=(\\d+)"));
    missing.request();
    QCOMPARE(missing.result(), QStringLiteral("nothing here"));
    QVERIFY(!missing.elements());
}

QTEST_GUILESS_MAIN(TestListingParser)
#include "tst_listingparser.moc"
