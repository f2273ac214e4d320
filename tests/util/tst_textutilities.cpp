#include "util/TextUtilities.h"

#include <QtTest>

class TestTextUtilities : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void percentEscape_data();
    void percentEscape();
    void urlEscape_data();
    void urlEscape();
    void base64_data();
    void base64();
    void unescape_data();
    void unescape();
    void unescapeLeavesTextWithoutAmpersand();
    void entityTable();
};

void TestTextUtilities::percentEscape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("space") << "a b" << "a%20b";
    QTest::newRow("form separators") << "x+y=z&w" << "x%2By%3Dz%26w";
    QTest::newRow("percent") << "50%" << "50%25";
    QTest::newRow("utf-8 bytes") << QString::fromUtf8("é") << "%C3%A9";
    QTest::newRow("unreserved kept") << "A-z_0.9~" << "A-z_0.9~";
    QTest::newRow("reserved escaped") << "/:?#@!$'()*,;\"<>\n\t" << "%2F%3A%3F%23%40%21%24%27%28%29%2A%2C%3B%22%3C%3E%0A%09";
    QTest::newRow("empty") << "" << "";
}

void TestTextUtilities::percentEscape()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(stringWithPercentEscape(text), escaped);
}

void TestTextUtilities::urlEscape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("space") << "/files/download/1/A B.torrent" << "/files/download/1/A%20B.torrent";
    QTest::newRow("reserved kept") << "/a?b=c&d=e;f,g:h@i+j!$'()*#k" << "/a?b=c&d=e;f,g:h@i+j!$'()*#k";
    QTest::newRow("unsafe") << "<\"|\\^`{}[]>" << "%3C%22%7C%5C%5E%60%7B%7D%5B%5D%3E";
    QTest::newRow("non-ascii") << QString::fromUtf8("/ü") << "/%C3%BC";
    // A link the site escaped already is not escaped twice; a lone "%" is.
    QTest::newRow("existing escape") << "/A%20B" << "/A%20B";
    QTest::newRow("lone percent") << "/100%.torrent" << "/100%25.torrent";
}

void TestTextUtilities::urlEscape()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(urlPercentEscape(text), escaped);
}

void TestTextUtilities::base64_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("one byte") << QByteArray("f") << "Zg==";
    QTest::newRow("two bytes") << QByteArray("fo") << "Zm8=";
    QTest::newRow("three bytes") << QByteArray("foo") << "Zm9v";
    QTest::newRow("high bits") << QByteArray("\xff\xfe\xfd") << "//79";
    QTest::newRow("credentials") << QByteArray("user:") << "dXNlcjo=";
}

void TestTextUtilities::base64()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoded);
    QCOMPARE(base64Encoding(bytes), encoded);
}

void TestTextUtilities::unescape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("named") << "a&amp;b" << "a&b";
    QTest::newRow("adjacent") << "&lt;&gt;" << "<>";
    QTest::newRow("one pass") << "&amp;lt;" << "&lt;";
    QTest::newRow("names match with case") << "&AMP;" << "&AMP;";
    QTest::newRow("apos") << "it&apos;s" << "it's";
    QTest::newRow("latin-1") << "caf&eacute; &euro;5" << QString::fromUtf8("café €5");
    QTest::newRow("longest name") << "&thetasym;" << QString(QChar(977));
    QTest::newRow("unknown name") << "&bogus;" << "&bogus;";
    QTest::newRow("decimal") << "&#65;" << "A";
    QTest::newRow("decimal with sign") << "&#+65;" << "A";
    QTest::newRow("decimal with space") << "&# 65;" << "A";
    QTest::newRow("hex") << "&#x41;" << "A";
    QTest::newRow("hex upper X") << "&#X41;" << "A";
    QTest::newRow("hex with 0x") << "&#x0x41;" << "A";
    QTest::newRow("zero") << "&#0;" << "&#0;";
    QTest::newRow("above range") << "&#65535;" << "&#65535;";
    QTest::newRow("hex above range") << "&#xFFFF;" << "&#xFFFF;";
    QTest::newRow("negative") << "&#-5;" << "&#-5;";
    QTest::newRow("empty hex") << "&#x;" << "&#x;";
    QTest::newRow("trailing junk") << "&#65a;" << "&#65a;";
    QTest::newRow("top of range") << "&#65534;" << QString(QChar(0xFFFE));
    QTest::newRow("hex top of range") << "&#xfffe;" << QString(QChar(0xFFFE));
    QTest::newRow("longer than 10") << "&#0000000065;" << "&#0000000065;";
    QTest::newRow("ten characters") << "&#0000065;" << "A";
    QTest::newRow("shorter than 4") << "&a;" << "&a;";
    QTest::newRow("no semicolon") << "&amp" << "&amp";
    QTest::newRow("semicolon after next ampersand") << "&a&amp;" << "&a&";
    QTest::newRow("space in name") << "& x;" << "& x;";
    QTest::newRow("mixed") << "Tom &amp; Jerry &#8211; &quot;S01&quot; &" << QString::fromUtf8("Tom & Jerry – \"S01\" &");
}

void TestTextUtilities::unescape()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(gtm_stringByUnescapingFromHTML(text), decoded);
}

void TestTextUtilities::unescapeLeavesTextWithoutAmpersand()
{
    const QString text = QStringLiteral("no references; here");
    const QString result = gtm_stringByUnescapingFromHTML(text);
    QCOMPARE(result, text);
    QCOMPARE(result.constData(), text.constData()); // the same text, not a copy
}

void TestTextUtilities::entityTable()
{
    const HtmlEntity* table = htmlEntityTable();
    QCOMPARE(htmlEntityCount(), std::size_t(253));
    QCOMPARE(QString::fromLatin1(table[0].reference), QStringLiteral("&quot;"));
    QCOMPARE(int(table[0].character), 34);
    QCOMPARE(QString::fromLatin1(table[252].reference), QStringLiteral("&diams;"));
    QCOMPARE(int(table[252].character), 9830);
    QSet<QString> names;
    for (std::size_t i = 0; i < htmlEntityCount(); ++i) {
        const QString reference = QString::fromLatin1(table[i].reference);
        if (i > 0)
            QVERIFY2(table[i - 1].character < table[i].character, qPrintable(reference));
        QVERIFY2(reference.startsWith(u'&') && reference.endsWith(u';') && reference.size() <= 10,
                 qPrintable(reference));
        names.insert(reference);
        // Every entry decodes to its own character.
        QCOMPARE(gtm_stringByUnescapingFromHTML(reference), QString(QChar(table[i].character)));
    }
    QCOMPARE(names.size(), 253);
}

QTEST_GUILESS_MAIN(TestTextUtilities)
#include "tst_textutilities.moc"
