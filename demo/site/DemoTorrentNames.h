#pragma once

#include <QString>

#include <random>

struct DemoCategory;

// Makes torrent names in the style uploaders use for each category, from a seeded
// generator, so the same seed always gives the same catalogue.
class DemoTorrentNames
{
public:
    explicit DemoTorrentNames(std::mt19937& random) : m_random(random) {}

    QString make(const DemoCategory& category);

    // A name that recurs across the listing (a release of a system, an episode of one of a
    // few series), or a null text for most torrents; in the first case `subCategory` (from 1)
    // may be set to where such a release belongs. Meant for a generator of its own, so that
    // the names and figures drawn by make() stay as they were.
    QString recurring(const DemoCategory& category, int* subCategory);

private:
    int pick(int count) { return int(m_random() % unsigned(count)); }
    template <std::size_t N>
    QString any(const char* const (&pool)[N]) { return QString::fromUtf8(pool[pick(int(N))]); }
    QString title();
    QString year() { return QString::number(1968 + pick(57)); }
    QString group();

    std::mt19937& m_random;
};
