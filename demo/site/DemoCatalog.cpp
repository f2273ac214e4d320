#include "DemoCatalog.h"

#include "DemoCategory.h"
#include "DemoTorrentNames.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct SizeRange
{
    const char* code;
    double minBytes;
    double maxBytes;
};

// Typical sizes per category code; misc runs from a few hundred bytes so every unit shows.
const SizeRange kSizes[] = {
    {"1", 650e6, 15e9},  {"3", 150e6, 1.6e9},  {"2", 40e6, 700e6},   {"13", 200e6, 4.4e9},
    {"4", 900e6, 40e9},  {"5", 2e6, 4e9},      {"11", 180e3, 60e6},  {"17", 90e6, 1.1e9},
    {"10", 9e6, 210e6},  {"9", 140e6, 1.5e9},  {"8", 4e6, 600e6},    {"6", 300, 2.2e9},
};

double unit(std::mt19937& random)
{
    return double(random()) / double(std::mt19937::max());
}

int sortKeyCompare(const DemoTorrent& a, const DemoTorrent& b, QChar order)
{
    auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (order.toUpper().unicode()) {
    case 'B':
        return cmp(a.sizeBytes, b.sizeBytes);
    case 'S':
        return cmp(a.seeders, b.seeders);
    case 'L':
        return cmp(a.leechers, b.leechers);
    default:
        return 0; // date: the id decides
    }
}

} // namespace

DemoCatalog::DemoCatalog(int count, unsigned seed)
{
    std::mt19937 random(seed);
    DemoTorrentNames names(random);
    // The recurring names draw from a generator of their own: everything else comes out as
    // it did before they were added.
    std::mt19937 recurringRandom(seed ^ 0x5eed1e55u);
    DemoTorrentNames recurringNames(recurringRandom);
    const QList<DemoCategory>& categories = DemoCategory::all();
    const auto& languages = DemoCategory::languages();
    qint64 added = 1370044800; // 2013-06-01, the newest upload; older ones go back from here

    m_torrents.resize(std::size_t(count));
    for (int i = count - 1; i >= 0; --i) {
        DemoTorrent& t = m_torrents[std::size_t(i)];
        t.id = i + 1;
        const DemoCategory& category = categories[int(random() % unsigned(categories.size()))];
        t.category = category.code;
        t.subCategory = 1 + int(random() % unsigned(category.subCategories.size()));
        if (category.languagesApply) {
            t.language = random() % 100 < 55 ? QStringLiteral("1")
                                             : languages[int(random() % unsigned(languages.size()))].first;
        } else {
            t.language = QStringLiteral("0");
        }
        t.name = names.make(category);
        const QString recurring = recurringNames.recurring(category, &t.subCategory);
        if (!recurring.isNull())
            t.name = recurring;
        for (const SizeRange& range : kSizes) {
            if (t.category == QLatin1String(range.code)) {
                t.sizeBytes = qint64(range.minBytes * std::pow(range.maxBytes / range.minBytes, unit(random)));
                break;
            }
        }
        t.seeders = int(std::pow(unit(random), 4.0) * 4000);
        t.leechers = int(std::pow(unit(random), 4.0) * 900);
        t.comments = int(random() % 40);
        t.addedSecs = added;
        added -= 60 + qint64(random() % 7200);
    }
}

const DemoTorrent* DemoCatalog::byId(int id) const
{
    if (id >= 1 && id <= int(m_torrents.size()))
        return &m_torrents[std::size_t(id - 1)];
    std::lock_guard lock(m_addedLock);
    const qint64 index = qint64(id) - qint64(m_torrents.size()) - 1;
    if (index < 0 || index >= qint64(m_added.size()))
        return nullptr;
    return &m_added[std::size_t(index)];
}

DemoTorrent DemoCatalog::add(const QString& name, const QString& category)
{
    std::lock_guard lock(m_addedLock);
    DemoTorrent t;
    t.id = int(m_torrents.size() + m_added.size()) + 1;
    t.name = name;
    t.category = category;
    t.subCategory = 1;
    t.language = QStringLiteral("0");
    t.sizeBytes = 700'000'000 + qint64(t.id) * 1'000'003;
    t.seeders = 1 + t.id % 50;
    t.leechers = t.id % 20;
    const qint64 newest = m_added.empty() ? (m_torrents.empty() ? 0 : m_torrents.back().addedSecs) : m_added.back().addedSecs;
    t.addedSecs = std::max(newest + 1, QDateTime::currentSecsSinceEpoch());
    m_added.push_back(t);
    return t;
}

int DemoCatalog::addedCount() const
{
    std::lock_guard lock(m_addedLock);
    return int(m_added.size());
}

std::vector<const DemoTorrent*> DemoCatalog::select(const Query& query) const
{
    const QStringList words = query.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool anyCategory = query.category.isEmpty() || query.category == QLatin1String("0");
    const bool anyLanguage = query.language.isEmpty() || query.language == QLatin1String("0");

    std::vector<const DemoTorrent*> all;
    all.reserve(m_torrents.size());
    for (const DemoTorrent& t : m_torrents)
        all.push_back(&t);
    {
        std::lock_guard lock(m_addedLock);
        for (const DemoTorrent& t : m_added)
            all.push_back(&t);
    }

    std::vector<const DemoTorrent*> rows;
    for (const DemoTorrent* row : all) {
        const DemoTorrent& t = *row;
        if (!anyCategory && t.category != query.category)
            continue;
        if (query.subCategory > 0 && t.subCategory != query.subCategory)
            continue;
        if (!anyLanguage && t.language != query.language)
            continue;
        const bool matches = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return t.name.contains(word, Qt::CaseInsensitive);
        });
        if (matches)
            rows.push_back(row);
    }

    const QChar order = query.sort.isEmpty() ? QChar('D') : query.sort.at(0);
    const bool ascending = order.isLower();
    std::sort(rows.begin(), rows.end(), [&](const DemoTorrent* a, const DemoTorrent* b) {
        int c = sortKeyCompare(*a, *b, order);
        if (c == 0)
            c = a->id < b->id ? -1 : (a->id > b->id ? 1 : 0);
        return ascending ? c < 0 : c > 0;
    });
    return rows;
}

std::vector<const DemoTorrent*> DemoCatalog::page(const Query& query, int* totalCount) const
{
    std::vector<const DemoTorrent*> rows = select(query);
    if (totalCount)
        *totalCount = int(rows.size());
    const qint64 first = qint64(std::max(query.page, 1) - 1) * kPageSize;
    if (first >= qint64(rows.size()))
        return {};
    const auto begin = rows.begin() + first;
    const auto end = rows.begin() + std::min<qint64>(first + kPageSize, qint64(rows.size()));
    return {begin, end};
}
