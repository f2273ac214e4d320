#include "DemoBencode.h"

#include <QMetaType>

namespace {

constexpr int kMaxDepth = 64;

void encodeInto(const QVariant& value, QByteArray& out)
{
    switch (value.typeId()) {
    case QMetaType::QVariantList:
        out += 'l';
        for (const QVariant& item : value.toList())
            encodeInto(item, out);
        out += 'e';
        break;
    case QMetaType::QVariantMap: {
        out += 'd';
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) {
            const QByteArray key = it.key().toUtf8();
            out += QByteArray::number(key.size()) + ':' + key;
            encodeInto(it.value(), out);
        }
        out += 'e';
        break;
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        out += 'i' + QByteArray::number(value.toLongLong()) + 'e';
        break;
    default: {
        const QByteArray bytes = value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                                         : value.toString().toUtf8();
        out += QByteArray::number(bytes.size()) + ':' + bytes;
        break;
    }
    }
}

// Reads one value at pos; on success moves pos past it. start/end of every "info" value at
// depth 1 are noted for rawInfo.
class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    std::optional<QVariant> value(int depth)
    {
        if (depth > kMaxDepth || m_pos >= m_bytes.size())
            return std::nullopt;
        const char c = m_bytes.at(m_pos);
        if (c == 'i') {
            const qsizetype end = m_bytes.indexOf('e', m_pos + 1);
            if (end < 0)
                return std::nullopt;
            bool ok = false;
            const qlonglong n = m_bytes.mid(m_pos + 1, end - m_pos - 1).toLongLong(&ok);
            if (!ok)
                return std::nullopt;
            m_pos = end + 1;
            return QVariant(n);
        }
        if (c == 'l') {
            ++m_pos;
            QVariantList list;
            while (m_pos < m_bytes.size() && m_bytes.at(m_pos) != 'e') {
                auto item = value(depth + 1);
                if (!item)
                    return std::nullopt;
                list.append(*item);
            }
            if (m_pos >= m_bytes.size())
                return std::nullopt;
            ++m_pos;
            return QVariant(list);
        }
        if (c == 'd') {
            ++m_pos;
            QVariantMap map;
            while (m_pos < m_bytes.size() && m_bytes.at(m_pos) != 'e') {
                auto key = string();
                if (!key)
                    return std::nullopt;
                const qsizetype valueStart = m_pos;
                auto item = value(depth + 1);
                if (!item)
                    return std::nullopt;
                if (depth == 0 && *key == "info") {
                    m_infoStart = valueStart;
                    m_infoEnd = m_pos;
                }
                map.insert(QString::fromUtf8(*key), *item);
            }
            if (m_pos >= m_bytes.size())
                return std::nullopt;
            ++m_pos;
            return QVariant(map);
        }
        auto s = string();
        if (!s)
            return std::nullopt;
        return QVariant(*s);
    }

    bool atEnd() const { return m_pos == m_bytes.size(); }
    QByteArray rawInfo() const { return m_infoEnd > m_infoStart ? m_bytes.mid(m_infoStart, m_infoEnd - m_infoStart) : QByteArray(); }

private:
    std::optional<QByteArray> string()
    {
        const qsizetype colon = m_bytes.indexOf(':', m_pos);
        if (colon <= m_pos)
            return std::nullopt;
        bool ok = false;
        const qlonglong length = m_bytes.mid(m_pos, colon - m_pos).toLongLong(&ok);
        if (!ok || length < 0 || length > m_bytes.size() - colon - 1)
            return std::nullopt;
        m_pos = colon + 1 + length;
        return m_bytes.mid(colon + 1, length);
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_infoStart = 0;
    qsizetype m_infoEnd = 0;
};

} // namespace

QByteArray DemoBencode::encode(const QVariant& value)
{
    QByteArray out;
    encodeInto(value, out);
    return out;
}

std::optional<QVariant> DemoBencode::decode(const QByteArray& bytes)
{
    Reader reader(bytes);
    auto value = reader.value(0);
    if (!value || !reader.atEnd())
        return std::nullopt;
    return value;
}

QByteArray DemoBencode::rawInfo(const QByteArray& torrent)
{
    Reader reader(torrent);
    if (!reader.value(0) || !reader.atEnd())
        return {};
    return reader.rawInfo();
}
