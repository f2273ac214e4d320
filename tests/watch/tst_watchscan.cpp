// One scan of the watch over a recent list kept in memory: where it stops, what it reports
// and what it remembers, including rows that move between pages while it reads and a page
// that fails half way.
#include "platform/core/SettingsStore.h"
#include "watch/WatchScan.h"
#include "watch/WatchState.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Torrent row(int id, const QString& name)
{
    Torrent torrent;
    torrent.setName(name);
    torrent.setDetailsUrl(QStringLiteral("/torrent/%1/").arg(id));
    return torrent;
}

// The site's recent list, newest first, read three rows a page.
struct FakeList
{
    static constexpr int kPageSize = 3;
    QList<Torrent> rows;
    int nextId = 1;
    int pagesAsked = 0;
    int failPage = 0; // this page answers 503
    std::function<void(int page)> beforeAnswer;

    void upload(const QString& name) { rows.prepend(row(nextId++, name)); }

    WatchScan::Page read(int page)
    {
        ++pagesAsked;
        if (beforeAnswer)
            beforeAnswer(page);
        WatchScan::Page answer;
        if (page == failPage) {
            answer.failure = FetchFailure::httpStatus(503);
            return answer;
        }
        answer.torrents = rows.mid((page - 1) * kPageSize, kPageSize);
        return answer;
    }
    WatchScan::PageReader reader()
    {
        return [this](int page) { return read(page); };
    }
};

QStringList names(const QList<WatchMatch>& matches)
{
    QStringList list;
    for (const WatchMatch& match : matches)
        list.append(match.torrent.name() + QLatin1Char('@') + match.filter);
    return list;
}

} // namespace

class TestWatchScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baselineThenEachNewMatchOnce()
    {
        FakeList site;
        for (const char* name : {"Debian Linux 12", "Film A", "FreeBSD 14", "Film B", "Film C", "OpenBSD 7"})
            site.upload(QString::fromLatin1(name));
        WatchState state;
        const QStringList filters{QStringLiteral("Linux|BSD")};

        WatchScan::Result first = WatchScan::run(filters, 5, state, site.reader());
        QVERIFY(!first.failed);
        QVERIFY(first.matches.isEmpty()); // the baseline
        QCOMPARE(first.pagesRead, 3);     // two full pages, then the empty end of the list

        site.upload(QStringLiteral("Arch Linux 2026"));
        site.upload(QStringLiteral("Film D"));
        site.upload(QStringLiteral("NetBSD 10"));
        site.pagesAsked = 0;
        WatchScan::Result second = WatchScan::run(filters, 5, state, site.reader());
        QCOMPARE(names(second.matches), (QStringList{QStringLiteral("NetBSD 10@Linux|BSD"), QStringLiteral("Arch Linux 2026@Linux|BSD")}));
        // Page 2 begins with a row the first scan met: no further page is asked for.
        QCOMPARE(site.pagesAsked, 2);

        QVERIFY(WatchScan::run(filters, 5, state, site.reader()).matches.isEmpty());
    }

    // Uploads while a scan reads push rows from page 1 onto page 2: each counts once, and the
    // upload itself waits for the next scan.
    void rowsMovingDownDuringAScanCountOnce()
    {
        FakeList site;
        site.upload(QStringLiteral("Old Linux"));
        WatchState state;
        const QStringList filters{QStringLiteral("Linux")};
        WatchScan::run(filters, 5, state, site.reader());
        for (int i = 1; i <= 4; ++i)
            site.upload(QStringLiteral("Linux %1").arg(i));
        site.beforeAnswer = [&site](int page) {
            if (page == 2)
                site.upload(QStringLiteral("Linux late"));
        };
        WatchScan::Result scan = WatchScan::run(filters, 5, state, site.reader());
        QCOMPARE(names(scan.matches), (QStringList{QStringLiteral("Linux 4@Linux"), QStringLiteral("Linux 3@Linux"),
                                                    QStringLiteral("Linux 2@Linux"), QStringLiteral("Linux 1@Linux")}));
        site.beforeAnswer = nullptr;
        scan = WatchScan::run(filters, 5, state, site.reader());
        QCOMPARE(names(scan.matches), QStringList{QStringLiteral("Linux late@Linux")});
    }

    // A torrent two filters take is reported once, under the first; a filter added later has
    // a baseline of its own while the others go on reporting; a removed filter is forgotten.
    void filtersEachKeepTheirOwnBaseline()
    {
        FakeList site;
        site.upload(QStringLiteral("Ubuntu Linux 24.04"));
        WatchState state;
        WatchScan::run({QStringLiteral("Linux")}, 5, state, site.reader());

        site.upload(QStringLiteral("Ubuntu Linux 26.04"));
        site.upload(QStringLiteral("Kubuntu 26.04"));
        const QStringList both{QStringLiteral("Linux"), QStringLiteral("buntu")};
        WatchScan::Result scan = WatchScan::run(both, 5, state, site.reader());
        QCOMPARE(names(scan.matches), QStringList{QStringLiteral("Ubuntu Linux 26.04@Linux")});

        site.upload(QStringLiteral("Xubuntu Linux 26.10"));
        site.upload(QStringLiteral("Lubuntu 26.10"));
        scan = WatchScan::run(both, 5, state, site.reader());
        QCOMPARE(names(scan.matches), (QStringList{QStringLiteral("Lubuntu 26.10@buntu"), QStringLiteral("Xubuntu Linux 26.10@Linux")}));
        QVERIFY(state.known.value(QStringLiteral("buntu")).contains(QStringLiteral("/torrent/5/")));

        WatchScan::run({QStringLiteral("buntu")}, 5, state, site.reader());
        QVERIFY(!state.known.contains(QStringLiteral("Linux")));
    }

    // A page that fails leaves the state as it was: nothing reported, nothing lost; the next
    // scan that works reports what came meanwhile.
    void failedPageKeepsTheState()
    {
        FakeList site;
        for (int i = 0; i < 4; ++i)
            site.upload(QStringLiteral("Film %1").arg(i));
        WatchState state;
        const QStringList filters{QStringLiteral("Linux")};
        WatchScan::run(filters, 5, state, site.reader());
        const QByteArray before = state.toJson();

        for (int i = 1; i <= 4; ++i)
            site.upload(QStringLiteral("Linux %1").arg(i));
        site.failPage = 2;
        const WatchScan::Result failed = WatchScan::run(filters, 5, state, site.reader());
        QVERIFY(failed.failed);
        QCOMPARE(failed.failure.status, 503);
        QVERIFY(failed.matches.isEmpty());
        QCOMPARE(state.toJson(), before);

        site.failPage = 0;
        QCOMPARE(WatchScan::run(filters, 5, state, site.reader()).matches.size(), 4);
    }

    // However many rows are new, a scan reads no more pages than the favourites list does.
    void pageCountBoundsTheScan()
    {
        FakeList site;
        site.upload(QStringLiteral("Linux 0"));
        WatchState state;
        const QStringList filters{QStringLiteral("Linux")};
        WatchScan::run(filters, 2, state, site.reader());
        for (int i = 1; i <= 10; ++i)
            site.upload(QStringLiteral("Linux %1").arg(i));
        site.pagesAsked = 0;
        const WatchScan::Result scan = WatchScan::run(filters, 2, state, site.reader());
        QCOMPARE(site.pagesAsked, 2);
        QCOMPARE(scan.matches.size(), 2 * FakeList::kPageSize);
    }

    // The stored form: read back as written, bounded, and an unreadable text is no state.
    void storedStateRoundTrips()
    {
        QTemporaryDir folder;
        SettingsStore::setStandardPath(folder.filePath(QStringLiteral("settings.ini")));
        QVERIFY(WatchState::load().known.isEmpty());

        WatchState state;
        for (int i = 0; i < WatchState::kMaxRecent + 5; ++i)
            state.recent.append(QStringLiteral("/torrent/%1/").arg(i));
        state.known.insert(QStringLiteral("a|b \"c\""), {QStringLiteral("/torrent/1/")});
        state.recordSent(QStringLiteral("/torrent/1/"), QDate(2026, 12, 11));
        QVERIFY(state.save());

        SettingsStore reopened(folder.filePath(QStringLiteral("settings.ini")));
        const WatchState read = WatchState::fromJson(reopened.stringForKey(WatchState::kKey).toUtf8());
        QCOMPARE(read.recent.size(), WatchState::kMaxRecent);
        QCOMPARE(read.recent.first(), QStringLiteral("/torrent/0/"));
        QCOMPARE(read.known, state.known);
        QCOMPARE(read.sentOn(QDate(2026, 12, 11)), 1);
        QCOMPARE(read.sentOn(QDate(2026, 12, 12)), 0);

        QVERIFY(WatchState::fromJson("{not json").recent.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWatchScan)
#include "tst_watchscan.moc"
