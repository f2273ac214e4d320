#include "Fixture.h"
#include "LoopbackServer.h"
#include "platform/core/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "site/HttpRequestRegEx.h"
#include "site/HttpRequestRegExTorrent.h"
#include "util/Regex.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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

// The page with rows inserted after "<body>" and before "</body>".
QString withRowsAround(const QString& page, const QString& before, const QString& after)
{
    QString around = page;
    around.insert(around.indexOf(QLatin1String("</body>")), after);
    around.insert(around.indexOf(QLatin1String("<body>")) + 6, before);
    return around;
}

// The same four torrents in each layout the site writes, the third with its size in "TB":
// one table row per torrent, or the category picture and the name in a first row
// (rowspan="2") and the other cells in a second, each with LF or CR/LF line ends.
QList<QPair<QString, QString>> layouts()
{
    const QString oneRow = fixture(QStringLiteral("listing.html"));
    const QString twoRows = fixture(QStringLiteral("listing_tworows.html"));
    auto crlf = [](QString page) { return page.replace(QLatin1String("\n"), QLatin1String("\r\n")); };
    return {{QStringLiteral("one row"), oneRow},
            {QStringLiteral("two rows"), twoRows},
            {QStringLiteral("one row, CR/LF"), crlf(oneRow)},
            {QStringLiteral("two rows, CR/LF"), crlf(twoRows)}};
}

void addLayoutRows()
{
    QTest::addColumn<QString>("page");
    for (const auto& [name, page] : layouts())
        QTest::newRow(qPrintable(name)) << page;
}

// Sets the match time limit for the life of the object.
class TimeLimit
{
public:
    explicit TimeLimit(int limit) { Regex::setTimeLimit(limit); }
    ~TimeLimit() { Regex::setTimeLimit(m_saved); }

private:
    int m_saved = Regex::timeLimit();
};

// Listing rows followed by a footer whose last cell is red: the search for a further record
// cannot be bounded before that cell and runs through the footer rows.
QString pageOutOfTime()
{
    return withRowsAround(fixture(QStringLiteral("listing.html")), QString(),
                          plainRows(1000) + QStringLiteral("<p class=\"red\">End</p>\n"));
}

} // namespace

class TestListingParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows_data();
    void rows();
    void fields_data();
    void fields();
    void history();
    void pagesWithoutRows_data();
    void pagesWithoutRows();
    void rowsAroundTheTable_data();
    void rowsAroundTheTable();
    void timeOutIsReported();
    void parseToolExit_data();
    void parseToolExit();
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

void TestListingParser::rows_data()
{
    addLayoutRows();
}

void TestListingParser::rows()
{
    QFETCH(QString, page);
    bool timedOut = true;
    const QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(page, {}, &timedOut);
    QVERIFY(!timedOut);
    QStringList names;
    for (const Torrent& torrent : torrents)
        names << torrent.name();
    // The torrent whose size is in "TB" is skipped; its neighbours keep their own cells
    // (fields() checks each of them).
    QCOMPARE(names, QStringList({"Tom & Jerry Collection", "Quiet Album", "quiet album"}));
}

void TestListingParser::fields_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    struct Case
    {
        const char* tag;
        int row;
        const char* field;
        const char* value;
    };
    const Case cases[] = {
        {"every gif in the type", 0, "type", "pngts_png.png"},
        {"details link", 0, "detailsUrl", "/torrent/1001/Tom.and.Jerry.Collection"},
        {"sub-category cell with link", 0, "subType", "Drama & Romance"},
        {"download link with spaces", 0, "downloadUrl", "/files/download/1001/Tom%20and%20Jerry%20Collection.torrent"},
        {"size with comma and decimals", 0, "size", "1,234.56 MB"},
        {"seeders", 0, "up", "120"},
        {"leechers", 0, "down", "4"},
        // The neighbours of the torrent that is skipped.
        {"before the skipped row: type", 1, "type", "music.png"},
        {"before the skipped row: details link", 1, "detailsUrl", "/torrent/1002/Quiet.Album"},
        {"before the skipped row: plain sub-category", 1, "subType", "FLAC"},
        {"before the skipped row: download link", 1, "downloadUrl", "/files/download/1002/Quiet.Album.torrent"},
        {"before the skipped row: size in KB", 1, "size", "312 KB"},
        {"before the skipped row: seeders", 1, "up", "0"},
        {"before the skipped row: leechers", 1, "down", "1"},
        {"after the skipped row: type", 2, "type", "apps.png"},
        {"after the skipped row: details link", 2, "detailsUrl", "/torrent/1004/quiet.album"},
        {"after the skipped row: sub-category", 2, "subType", "Linux"},
        {"after the skipped row: download link", 2, "downloadUrl", "/files/download/1004/quiet.album.torrent"},
        {"after the skipped row: size in bytes", 2, "size", "700 bytes"},
        {"after the skipped row: seeders", 2, "up", "33"},
        {"after the skipped row: leechers", 2, "down", "0"},
    };
    for (const auto& [layout, page] : layouts()) {
        for (const Case& c : cases) {
            QTest::addRow("%s: %s", qPrintable(layout), c.tag)
                << page << c.row << QString::fromLatin1(c.field) << QString::fromLatin1(c.value);
        }
    }
}

void TestListingParser::fields()
{
    QFETCH(QString, page);
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(page, {});
    QVERIFY(row < torrents.size());
    const Torrent& torrent = torrents[row];
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

void TestListingParser::rowsAroundTheTable_data()
{
    addLayoutRows();
}

// Navigation rows above the listing and footer rows below it change no record, and the
// search for records spares them: the page is read inside a time limit that a search through
// them would run out of. ICU counts the limit in steps, not in time, so this holds on a busy
// machine too. Reading these pages takes less than one unit; a search from the page's first
// row takes 10, one up to its last row thousands.
void TestListingParser::rowsAroundTheTable()
{
    QFETCH(QString, page);
    const QList<Torrent> plain = HttpRequestRegExTorrent::parseTorrents(page, {});
    QCOMPARE(plain.size(), 3);
    const QString around = withRowsAround(page, plainRows(1000), plainRows(1000));
    const TimeLimit limit(5);
    bool timedOut = true;
    QCOMPARE(HttpRequestRegExTorrent::parseTorrents(around, {}, &timedOut), plain);
    QVERIFY(!timedOut);
}

// A page that takes longer to read than matching may take says so, with the rows read
// before that point.
void TestListingParser::timeOutIsReported()
{
    const TimeLimit limit(50);
    const QString page = pageOutOfTime();
    bool timedOut = false;
    const QList<Torrent> torrents = HttpRequestRegExTorrent::parseTorrents(page, {}, &timedOut);
    QVERIFY(timedOut);
    QCOMPARE(torrents, HttpRequestRegExTorrent::parseTorrents(m_page, {}));

    LoopbackServer server;
    const std::string slowBody = page.toStdString();
    const std::string wholeBody = m_page.toStdString();
    server.setHandler([slowBody, wholeBody](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.path == "/slow" ? slowBody : wholeBody, "text/html");
    });
    HttpRequestRegExTorrent slow(server.url(QStringLiteral("/slow")));
    slow.request();
    QVERIFY(slow.timedOut());
    QVERIFY(slow.torrents());
    QCOMPARE(slow.torrents()->size(), 3);
    HttpRequestRegExTorrent whole(server.url(QStringLiteral("/whole")));
    whole.request();
    QVERIFY(!whole.timedOut());
    QCOMPARE(whole.torrents()->size(), 3);
}

// itarnvale-parse prints the rows it found, and exits 3 (saying why) when a listing was not
// read to its end.
void TestListingParser::parseToolExit_data()
{
    QTest::addColumn<QString>("page"); // null: no such file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("one row per torrent") << m_page << 0 << 3 << QString();
    QTest::newRow("two rows per torrent") << fixture(QStringLiteral("listing_tworows.html")) << 0 << 3 << QString();
    QTest::newRow("out of time") << pageOutOfTime() << 3 << 3 << QStringLiteral("ran out of time after 3 rows");
    QTest::newRow("no such file") << QString() << 2 << 0 << QStringLiteral("cannot read");
}

void TestListingParser::parseToolExit()
{
    QFETCH(QString, page);
    QFETCH(int, exitCode);
    QFETCH(int, rows);
    QFETCH(QString, message);
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/itarnvale-parse");
    QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool + " is missing: build the itarnvale-parse target"));
    const QString path = m_dir.filePath(QStringLiteral("page.html"));
    QFile::remove(path);
    if (!page.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(page.toUtf8());
    }

    QProcess process;
    process.start(tool, {QStringLiteral("listing"), path});
    QVERIFY(process.waitForFinished(-1));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    QCOMPARE(lines.size() - 1, rows); // each row ends with a line break
    if (rows > 0)
        QCOMPARE(QJsonDocument::fromJson(lines[0]).object().value("name").toString(), "Tom & Jerry Collection");
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(message.isEmpty() ? errors.isEmpty() : errors.contains(message), qPrintable(errors));
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
