#include "remote/TorrentFileCheck.h"

#include <QCryptographicHash>

#include <optional>

namespace {

constexpr int kMaxDepth = 100;

// One pass over the bytes. Records whether the top-level dictionary has an "info"
// dictionary, and that dictionary's "name".
class BencodeWalker
{
public:
    explicit BencodeWalker(const QByteArray& bytes) : m_bytes(bytes) {}

    bool walk()
    {
        if (m_pos >= m_bytes.size() || m_bytes.at(m_pos) != 'd')
            return false;
        if (!value(0))
            return false;
        // A trailing line break (some servers add one) is not part of the file's structure.
        while (m_pos < m_bytes.size() && (m_bytes.at(m_pos) == '\r' || m_bytes.at(m_pos) == '\n'))
            ++m_pos;
        return m_pos == m_bytes.size();
    }

    bool hasInfo() const { return m_hasInfo; }
    const QString& infoName() const { return m_infoName; }
    // The info dictionary's bytes exactly as the file holds them.
    QByteArray infoBytes() const { return m_bytes.mid(m_infoStart, m_infoEnd - m_infoStart); }

private:
    enum class Where { Other, TopInfo, InfoName };

    bool value(int depth, Where where = Where::Other)
    {
        if (depth > kMaxDepth || m_pos >= m_bytes.size())
            return false;
        const char c = m_bytes.at(m_pos);
        if (c == 'i')
            return integer();
        if (c == 'l') {
            ++m_pos;
            while (m_pos < m_bytes.size() && m_bytes.at(m_pos) != 'e') {
                if (!value(depth + 1))
                    return false;
            }
            return close();
        }
        if (c == 'd') {
            const qsizetype start = m_pos;
            ++m_pos;
            while (m_pos < m_bytes.size() && m_bytes.at(m_pos) != 'e') {
                const auto key = string();
                if (!key)
                    return false;
                Where next = Where::Other;
                if (depth == 0 && *key == "info")
                    next = Where::TopInfo;
                else if (where == Where::TopInfo && *key == "name")
                    next = Where::InfoName;
                if (!value(depth + 1, next))
                    return false;
            }
            if (!close())
                return false;
            if (where == Where::TopInfo) {
                m_hasInfo = true;
                m_infoStart = start;
                m_infoEnd = m_pos;
            }
            return true;
        }
        const auto text = string();
        if (!text)
            return false;
        if (where == Where::InfoName)
            m_infoName = QString::fromUtf8(*text);
        return true;
    }

    bool integer()
    {
        qsizetype at = m_pos + 1;
        if (at < m_bytes.size() && m_bytes.at(at) == '-')
            ++at;
        const qsizetype digits = at;
        while (at < m_bytes.size() && m_bytes.at(at) >= '0' && m_bytes.at(at) <= '9')
            ++at;
        if (at == digits || at >= m_bytes.size() || m_bytes.at(at) != 'e')
            return false;
        m_pos = at + 1;
        return true;
    }

    std::optional<QByteArray> string()
    {
        qsizetype at = m_pos;
        qint64 length = 0;
        while (at < m_bytes.size() && m_bytes.at(at) >= '0' && m_bytes.at(at) <= '9') {
            length = length * 10 + (m_bytes.at(at) - '0');
            if (length > m_bytes.size())
                return std::nullopt;
            ++at;
        }
        if (at == m_pos || at >= m_bytes.size() || m_bytes.at(at) != ':')
            return std::nullopt;
        ++at;
        if (length > m_bytes.size() - at)
            return std::nullopt;
        m_pos = at + length;
        return m_bytes.mid(at, length);
    }

    bool close()
    {
        if (m_pos >= m_bytes.size())
            return false;
        ++m_pos; // the "e"
        return true;
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    bool m_hasInfo = false;
    qsizetype m_infoStart = 0;
    qsizetype m_infoEnd = 0;
    QString m_infoName;
};

} // namespace

bool TorrentFileCheck::isTorrentFile(const QByteArray& bytes)
{
    BencodeWalker walker(bytes);
    return walker.walk() && walker.hasInfo();
}

QString TorrentFileCheck::infoName(const QByteArray& bytes)
{
    BencodeWalker walker(bytes);
    if (!walker.walk() || !walker.hasInfo())
        return QString();
    return walker.infoName();
}

QStringList TorrentFileCheck::infoHashes(const QByteArray& bytes)
{
    BencodeWalker walker(bytes);
    if (!walker.walk() || !walker.hasInfo())
        return QStringList();
    const QByteArray info = walker.infoBytes();
    // A client names a torrent by its version 1 hash, or for a version 2 only torrent by its
    // version 2 hash cut to the same 20 bytes; which of the two the file is, the client knows.
    return {QString::fromLatin1(QCryptographicHash::hash(info, QCryptographicHash::Sha1).toHex()),
            QString::fromLatin1(QCryptographicHash::hash(info, QCryptographicHash::Sha256).left(20).toHex())};
}
