#pragma once

#include <QHashFunctions>
#include <QMetaType>

// The position of a row in a table: its section and its row within the section.
struct IndexPath
{
    int section = 0;
    int row = 0;

    static IndexPath forRow(int row, int section = 0) { return IndexPath{section, row}; }

    friend bool operator==(const IndexPath& a, const IndexPath& b)
    {
        return a.section == b.section && a.row == b.row;
    }
    friend bool operator!=(const IndexPath& a, const IndexPath& b) { return !(a == b); }
    friend bool operator<(const IndexPath& a, const IndexPath& b)
    {
        return a.section != b.section ? a.section < b.section : a.row < b.row;
    }
};

inline size_t qHash(const IndexPath& p, size_t seed = 0) noexcept
{
    return qHashMulti(seed, p.section, p.row);
}

Q_DECLARE_METATYPE(IndexPath)
