#include "BlockedFolder.h"
#include "platform/core/SettingsStore.h"
#include "settings/DownloadHistory.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <thread>

using SettingsKeys::Kind;

Q_DECLARE_METATYPE(SettingsKeys::Kind)

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void keyTable_data();
    void keyTable();
    void freshStoreReadsDefaults();
    void storedTextsAsRead_data();
    void storedTextsAsRead();
    void writesAreFlushedAtOnce();
    void historyKeepsNewestFifty();
    void historyRemovesByIndex();
    void concurrentAppendsLoseNoName();
    void filtersChangeByCopy();
    void writesThatCannotBeSavedSaySo();
    void listingGenerationsMoveOnChangesOnly();

private:
    QTemporaryDir m_dir;
    int m_files = 0;
};

// Every test starts on an empty store of its own.
void TestSettings::init()
{
    SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
}

void TestSettings::keyTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QVariant>("absent");
    const QVariant none;
    const QString empty = QLatin1String("");
    const auto row = [](const char* key, Kind kind, const QVariant& absent) {
        QTest::newRow(key) << QString::fromLatin1(key) << kind << absent;
    };
    row("iTarnvale_version", Kind::Text, none);
    row("iTarnvale_username", Kind::Text, empty);
    row("iTarnvale_password", Kind::Text, empty);
    row("iTarnvale_automaticLogin", Kind::Text, QStringLiteral("NO"));
    row("iTarnvale_tab", Kind::Integer, 0);
    row("iTarnvale_categories", Kind::Text, QStringLiteral("0"));
    row("iTarnvale_language", Kind::Text, QStringLiteral("0"));
    row("iTarnvale_orderBy", Kind::Text, empty);
    row("iTarnvale_sortBy", Kind::Text, QStringLiteral("desc"));
    row("iTarnvale_searchCategories", Kind::Text, QStringLiteral("0"));
    row("iTarnvale_searchLanguage", Kind::Text, QStringLiteral("0"));
    row("iTarnvale_searchOrderBy", Kind::Text, empty);
    row("iTarnvale_searchSortBy", Kind::Text, QStringLiteral("desc"));
    row("iTarnvale_favoritesCount", Kind::Text, QStringLiteral("5"));
    row("iTarnvale_filters", Kind::TextArray, QStringList());
    row("iTarnvale_torrentHistory", Kind::TextArray, QStringList());
    row("iTarnvale_torrentHistoryDates", Kind::TextArray, QStringList());
    row("iTarnvale_serverClient", Kind::Text, none);
    row("iTarnvale_serverAddress", Kind::Text, empty);
    row("iTarnvale_serverPort", Kind::Text, none);
    row("iTarnvale_serverUser", Kind::Text, empty);
    row("iTarnvale_serverPassword", Kind::Text, empty);
}

// The table names each key once, byte for byte, with its kind and absent value.
void TestSettings::keyTable()
{
    QFETCH(QString, key);
    QFETCH(Kind, kind);
    QFETCH(QVariant, absent);
    const QList<SettingsKeys::KeyInfo> all = SettingsKeys::all();
    QCOMPARE(all.size(), 22);
    int found = 0;
    for (const SettingsKeys::KeyInfo& info : all) {
        if (info.key != key)
            continue;
        ++found;
        QCOMPARE(info.kind, kind);
        QCOMPARE(info.absentValue, absent);
    }
    QCOMPARE(found, 1);
}

// A fresh installation: all categories and languages, newest first, five pages for the
// favourites, no filters, an empty history, manual sign-in, first tab.
void TestSettings::freshStoreReadsDefaults()
{
    QVERIFY(Settings::version().isNull());
    QCOMPARE(Settings::username(), QString());
    QVERIFY(!Settings::username().isNull());
    QCOMPARE(Settings::categories(), QStringLiteral("0"));
    QCOMPARE(Settings::language(), QStringLiteral("0"));
    QCOMPARE(Settings::orderBy(), QString());
    QCOMPARE(Settings::sortBy(), QStringLiteral("desc"));
    QCOMPARE(Settings::searchCategories(), QStringLiteral("0"));
    QCOMPARE(Settings::searchSortBy(), QStringLiteral("desc"));
    QCOMPARE(Settings::favoritesCountText(), QStringLiteral("5"));
    QCOMPARE(Settings::favoritesCount(), 5);
    QVERIFY(Settings::filters().isEmpty());
    QVERIFY(DownloadHistory::names().isEmpty());
    QVERIFY(!Settings::automaticLogin());
    QCOMPARE(Settings::tab(), 0);
    // Reading writes nothing back.
    QVERIFY(!SettingsStore::standard().contains(SettingsKeys::categories));
}

void TestSettings::storedTextsAsRead_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("empty category is all") << SettingsKeys::categories << "" << "0";
    QTest::newRow("category code kept") << SettingsKeys::categories << "7" << "7";
    QTest::newRow("empty search language is all") << SettingsKeys::searchLanguage << "" << "0";
    QTest::newRow("empty sort is descending") << SettingsKeys::sortBy << "" << "desc";
    QTest::newRow("ascending kept") << SettingsKeys::searchSortBy << "asc" << "asc";
    QTest::newRow("sign-in YES") << SettingsKeys::automaticLogin << "YES" << "on";
    QTest::newRow("sign-in NO") << SettingsKeys::automaticLogin << "NO" << "off";
    QTest::newRow("sign-in other text") << SettingsKeys::automaticLogin << "maybe" << "on";
    QTest::newRow("sign-in empty text") << SettingsKeys::automaticLogin << "" << "on";
    QTest::newRow("count") << SettingsKeys::favoritesCount << "12" << "12";
    QTest::newRow("count with decimals") << SettingsKeys::favoritesCount << "3.7" << "3";
    QTest::newRow("empty count") << SettingsKeys::favoritesCount << "" << "0";
}

void TestSettings::storedTextsAsRead()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, read);
    SettingsStore::standard().setString(key, stored);
    QString value;
    if (key == SettingsKeys::categories)
        value = Settings::categories();
    else if (key == SettingsKeys::searchLanguage)
        value = Settings::searchLanguage();
    else if (key == SettingsKeys::sortBy)
        value = Settings::sortBy();
    else if (key == SettingsKeys::searchSortBy)
        value = Settings::searchSortBy();
    else if (key == SettingsKeys::automaticLogin)
        value = Settings::automaticLogin() ? QStringLiteral("on") : QStringLiteral("off");
    else if (key == SettingsKeys::favoritesCount)
        value = QString::number(Settings::favoritesCount());
    QCOMPARE(value, read);
}

// What a setter wrote is in the file before the next line runs.
void TestSettings::writesAreFlushedAtOnce()
{
    Settings::setCategories(QStringLiteral("14"));
    Settings::setAutomaticLogin(true);
    Settings::setTab(3);
    Settings::setFavoritesCount(QStringLiteral("8"));
    DownloadHistory::append(QStringLiteral("Some.Name"));
    SettingsStore file(SettingsStore::standard().fileName());
    QCOMPARE(file.stringForKey(SettingsKeys::categories), QStringLiteral("14"));
    QCOMPARE(file.stringForKey(SettingsKeys::automaticLogin), QStringLiteral("YES"));
    QCOMPARE(file.integerForKey(SettingsKeys::tab), std::optional<int>(3));
    QCOMPARE(file.stringForKey(SettingsKeys::favoritesCount), QStringLiteral("8"));
    QCOMPARE(file.stringArrayForKey(SettingsKeys::torrentHistory), QStringList{"Some.Name"});
}

void TestSettings::historyKeepsNewestFifty()
{
    QStringList expected;
    for (int i = 1; i <= 51; ++i) {
        DownloadHistory::append(QStringLiteral("t%1").arg(i));
        expected.append(QStringLiteral("t%1").arg(i));
    }
    expected.removeFirst();
    QCOMPARE(DownloadHistory::names(), expected);
    // A name sent again stands once, at the newest place.
    DownloadHistory::append(QStringLiteral("t20"));
    expected.removeAll(QStringLiteral("t20"));
    expected.append(QStringLiteral("t20"));
    QCOMPARE(DownloadHistory::names(), expected);
}

void TestSettings::historyRemovesByIndex()
{
    for (const char* name : {"a", "b", "c"})
        DownloadHistory::append(QString::fromLatin1(name));
    QVERIFY(DownloadHistory::removeAt(1));
    QCOMPARE(DownloadHistory::names(), (QStringList{"a", "c"}));
    QVERIFY(!DownloadHistory::removeAt(2));
    QVERIFY(!DownloadHistory::removeAt(-1));
    QCOMPARE(DownloadHistory::names(), (QStringList{"a", "c"}));
}

// Two downloads finishing together, many times over: every name is kept. The second writer
// dawdles between its read and its write, as a busy thread may.
void TestSettings::concurrentAppendsLoseNoName()
{
    std::thread one([] {
        for (int i = 0; i < 20; ++i)
            DownloadHistory::append(QStringLiteral("one-%1").arg(i));
    });
    std::thread two([] {
        for (int i = 0; i < 20; ++i) {
            Settings::updateStringArray(SettingsKeys::torrentHistory, [i](QStringList& names) {
                QThread::msleep(2);
                names.append(QStringLiteral("two-%1").arg(i));
                return true;
            });
        }
    });
    one.join();
    two.join();
    const QStringList names = DownloadHistory::names();
    QCOMPARE(names.size(), 40);
    for (int i = 0; i < 20; ++i) {
        QVERIFY(names.contains(QStringLiteral("one-%1").arg(i)));
        QVERIFY(names.contains(QStringLiteral("two-%1").arg(i)));
    }
}

void TestSettings::filtersChangeByCopy()
{
    Settings::updateFilters([](QStringList& filters) { filters << "ubuntu" << "" << "debian"; });
    Settings::updateFilters([](QStringList& filters) { filters.removeAt(0); });
    QCOMPARE(Settings::filters(), (QStringList{"", "debian"}));
    QCOMPARE(SettingsStore(SettingsStore::standard().fileName()).stringArrayForKey(SettingsKeys::filters),
             (QStringList{"", "debian"}));
}

// The settings folder turns into a file, so that nothing can be written there (root
// included). Every write says so, with the reason; a value holds for this run, while an
// array change is put back (a removal above all, which the screen then shows undone), so the
// next write that succeeds saves nothing the user was told did not happen.
void TestSettings::writesThatCannotBeSavedSaySo()
{
    const QString folder = m_dir.filePath(QStringLiteral("blocked%1").arg(m_files));
    const QString file = folder + QStringLiteral("/s.ini");
    SettingsStore::setStandardPath(file);
    for (const char* name : {"a", "b", "c"})
        QVERIFY(DownloadHistory::append(QString::fromLatin1(name)));
    QVERIFY(Settings::updateFilters([](QStringList& filters) { filters << "ubuntu" << "debian"; }).isSaved());
    QVERIFY(Settings::setCategories(QStringLiteral("2")).isSaved());

    BlockedFolder blocked(folder);
    QVERIFY(blocked.isBlocked());

    const SaveResult code = Settings::setCategories(QStringLiteral("5"));
    QVERIFY(!code.isSaved());
    QVERIFY2(code.message().startsWith(QStringLiteral("Could not save the settings: ")) && code.message().contains(folder)
                 && code.message().endsWith(QLatin1Char('.')),
             qPrintable(code.message()));
    QCOMPARE(Settings::categories(), QStringLiteral("5"));

    SaveResult why;
    QCOMPARE(DownloadHistory::removeFromNewest(0, QStringLiteral("c"), &why), DownloadHistory::Removal::NotSaved);
    QCOMPARE(why.message(), code.message());
    QVERIFY(!DownloadHistory::removeAt(0));
    QCOMPARE(DownloadHistory::names(), (QStringList{"a", "b", "c"}));
    QVERIFY(!Settings::updateFilters([](QStringList& filters) { filters.removeAt(0); }).isSaved());
    QVERIFY(!Settings::updateFilters([](QStringList& filters) { filters.append(QStringLiteral("arch")); }).isSaved());
    QCOMPARE(Settings::filters(), (QStringList{"ubuntu", "debian"}));
    // A torrent the client took is marked for this run even so (the hand-off says the rest).
    QVERIFY(!DownloadHistory::append(QStringLiteral("d")));
    QCOMPARE(DownloadHistory::names(), (QStringList{"a", "b", "c", "d"}));

    blocked.restore();
    QVERIFY(Settings::setTab(1).isSaved());
    SettingsStore nextStart(file);
    QCOMPARE(nextStart.stringArrayForKey(SettingsKeys::torrentHistory), (QStringList{"a", "b", "c", "d"}));
    QCOMPARE(nextStart.stringArrayForKey(SettingsKeys::filters), (QStringList{"ubuntu", "debian"}));
    QCOMPARE(nextStart.stringForKey(SettingsKeys::categories), QStringLiteral("5"));
}

// A list asks for its rows again only when something it reads has changed: writing the same
// value, a key of another list, a key no list reads, or an array change put back moves
// nothing.
void TestSettings::listingGenerationsMoveOnChangesOnly()
{
    using Listing = Settings::Listing;
    auto generations = [] {
        return QList<quint64>{Settings::listingGeneration(Listing::Recent), Settings::listingGeneration(Listing::Favorites),
                              Settings::listingGeneration(Listing::Search)};
    };
    auto moved = [&](const std::function<void()>& write) {
        const QList<quint64> before = generations();
        write();
        const QList<quint64> after = generations();
        QList<bool> which;
        for (qsizetype i = 0; i < before.size(); ++i)
            which.append(after[i] != before[i]);
        return which;
    };
    const QList<bool> none{false, false, false};
    const QList<bool> recent{true, false, false};
    const QList<bool> favorites{false, true, false};
    const QList<bool> search{false, false, true};

    QCOMPARE(moved([] { Settings::setCategories(QStringLiteral("7")); }), recent);
    QCOMPARE(moved([] { Settings::setCategories(QStringLiteral("7")); }), none);
    QCOMPARE(moved([] { Settings::setSortBy(QStringLiteral("asc")); }), recent);
    QCOMPARE(moved([] { Settings::setSearchOrderBy(QStringLiteral("S")); }), search);
    QCOMPARE(moved([] { Settings::setFavoritesCount(QStringLiteral("3")); }), favorites);
    QCOMPARE(moved([] { Settings::updateFilters([](QStringList& filters) { filters << "ubuntu"; }); }), favorites);
    QCOMPARE(moved([] { Settings::updateFilters([](QStringList&) {}); }), none);
    QCOMPARE(moved([] { Settings::setTab(3); }), none);

    const QString folder = m_dir.filePath(QStringLiteral("blocked-generations"));
    SettingsStore::setStandardPath(folder + QStringLiteral("/s.ini"));
    QVERIFY(Settings::updateFilters([](QStringList& filters) { filters << "ubuntu"; }).isSaved());
    BlockedFolder blocked(folder);
    QVERIFY(blocked.isBlocked());
    // Put back: the list still answers the filters it was fetched with.
    QCOMPARE(moved([] { Settings::updateFilters([](QStringList& filters) { filters << "debian"; }); }), none);
    // Kept for this run although not saved: the list follows it.
    QCOMPARE(moved([] { Settings::setLanguage(QStringLiteral("2")); }), recent);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
