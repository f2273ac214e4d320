// The listing address the list screens ask for, from each combination of stored settings and
// search words, and the search words as the site reads them back.
#include "platform/core/SettingsStore.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "site/ListingQuery.h"
#include "site/SiteHosts.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

class TestListingQuery : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

private Q_SLOTS:
    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        SiteHosts::setWebHost(QStringLiteral("www.tarnvale.localhost:8080"));
    }

    void addressFromSettings_data()
    {
        QTest::addColumn<QStringList>("stored"); // category, language, order, sort; "-" absent
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // the query after "uid=0&"

        const QString tail = QStringLiteral("&seeded=0&quality=0&external=2&query=%1&sort=%2&page=3");
        auto q = [&](const QString& cat, const QString& lang, const QString& text, const QString& sort) {
            return QStringLiteral("category=%1&subcategory=0&language=%2").arg(cat, lang) + tail.arg(text, sort);
        };
        const QStringList absent{"-", "-", "-", "-"};
        QTest::newRow("nothing stored") << absent << QString() << q("0", "0", "", "");
        QTest::newRow("empty texts") << QStringList{"", "", "", ""} << QString() << q("0", "0", "", "");
        QTest::newRow("zeros") << QStringList{"0", "0", "", "desc"} << QString() << q("0", "0", "", "");
        QTest::newRow("order ascending") << QStringList{"1", "3", "B", "asc"} << QString() << q("1", "3", "", "b");
        QTest::newRow("order descending") << QStringList{"2", "0", "S", "desc"} << QString() << q("2", "0", "", "S");
        QTest::newRow("other sort text") << QStringList{"2", "0", "L", "ASC"} << QString() << q("2", "0", "", "L");
        QTest::newRow("date ascending") << QStringList{"9", "6", "", "asc"} << QString() << q("9", "6", "", "");
        QTest::newRow("blank") << absent << QStringLiteral("Linux Mint") << q("0", "0", "Linux%20Mint", "");
        QTest::newRow("plus") << absent << QStringLiteral("C++ 11") << q("0", "0", "C%2B%2B%2011", "");
        QTest::newRow("reserved") << absent << QStringLiteral("Tom & Jerry=#1?/50%")
                                  << q("0", "0", "Tom%20%26%20Jerry%3D%231%3F%2F50%25", "");
        QTest::newRow("accents") << absent << QStringLiteral("Amélie") << q("0", "0", "Am%C3%A9lie", "");
        QTest::newRow("CJK") << absent << QStringLiteral("東京") << q("0", "0", "%E6%9D%B1%E4%BA%AC", "");
        QTest::newRow("percent escapes") << absent << QStringLiteral("%2B%20") << q("0", "0", "%252B%2520", "");
    }

    // Recent and search settings give the same address from the same codes; the text only
    // comes with a search.
    void addressFromSettings()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QStringList recentKeys{SettingsKeys::categories, SettingsKeys::language, SettingsKeys::orderBy,
                                     SettingsKeys::sortBy};
        const QStringList searchKeys{SettingsKeys::searchCategories, SettingsKeys::searchLanguage,
                                     SettingsKeys::searchOrderBy, SettingsKeys::searchSortBy};
        SettingsStore& store = SettingsStore::standard();
        for (int i = 0; i < 4; ++i) {
            if (stored[i] != QLatin1String("-")) {
                store.setString(recentKeys[i], stored[i]);
                store.setString(searchKeys[i], stored[i]);
            }
        }
        const QString prefix = QStringLiteral("http://www.tarnvale.localhost:8080/files/?uid=0&");
        const QString escaped = ListingQuery::escapeSearchText(text);
        QCOMPARE(Settings::searchListingQuery().url(3, escaped).toString(QUrl::FullyEncoded), prefix + expected);
        if (text.isEmpty())
            QCOMPARE(Settings::recentListingQuery().url(3).toString(QUrl::FullyEncoded), prefix + expected);

        // The site reads back exactly the words typed.
        const QUrlQuery query(Settings::searchListingQuery().url(3, escaped));
        QCOMPARE(query.queryItemValue(QStringLiteral("query"), QUrl::FullyDecoded), text);
        QCOMPARE(query.queryItemValue(QStringLiteral("page")), QStringLiteral("3"));
    }
};

QTEST_GUILESS_MAIN(TestListingQuery)
#include "tst_listingquery.moc"
