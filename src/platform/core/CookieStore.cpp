#include "platform/core/CookieStore.h"

#include "platform/core/UrlLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace {

// One mutex per kind of shared data, as libcurl's share interface expects. Recursive, so
// that a change made of several steps can hold the jar while libcurl locks it on the same
// thread for each step.
std::recursive_mutex g_shareLocks[CURL_LOCK_DATA_LAST];

void lockShare(CURL*, curl_lock_data data, curl_lock_access, void*)
{
    g_shareLocks[data].lock();
}

void unlockShare(CURL*, curl_lock_data data, void*)
{
    g_shareLocks[data].unlock();
}

constexpr char kHttpOnlyPrefix[] = "#HttpOnly_";

// One cookie as a line of the Netscape cookie file, the format libcurl reads and lists.
QByteArray netscapeLine(const Cookie& cookie, qint64 expires)
{
    const bool domainCookie = cookie.domain.startsWith(QLatin1Char('.'));
    QByteArray line;
    if (cookie.httpOnly)
        line += kHttpOnlyPrefix;
    line += cookie.domain.toUtf8();
    line += domainCookie ? "\tTRUE\t" : "\tFALSE\t";
    line += (cookie.path.isEmpty() ? QStringLiteral("/") : cookie.path).toUtf8();
    line += cookie.secure ? "\tTRUE\t" : "\tFALSE\t";
    line += QByteArray::number(expires);
    line += '\t';
    line += cookie.name.toUtf8();
    line += '\t';
    line += cookie.value.toUtf8();
    return line;
}

QByteArray netscapeLine(const Cookie& cookie)
{
    return netscapeLine(cookie, cookie.expires.isValid() ? cookie.expires.toSecsSinceEpoch() : 0);
}

std::optional<Cookie> parseNetscapeLine(QByteArray line)
{
    Cookie cookie;
    if (line.startsWith(kHttpOnlyPrefix)) {
        cookie.httpOnly = true;
        line.remove(0, int(sizeof(kHttpOnlyPrefix) - 1));
    } else if (line.startsWith('#')) {
        return std::nullopt;
    }
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 6)
        return std::nullopt;
    const bool tailMatch = fields.at(1) == "TRUE";
    QString domain = QString::fromUtf8(fields.at(0));
    if (tailMatch && !domain.startsWith(QLatin1Char('.')))
        domain.prepend(QLatin1Char('.'));
    else if (!tailMatch && domain.startsWith(QLatin1Char('.')))
        domain.remove(0, 1);
    cookie.domain = domain;
    cookie.path = QString::fromUtf8(fields.at(2));
    cookie.secure = fields.at(3) == "TRUE";
    const qint64 expires = fields.at(4).toLongLong();
    if (expires != 0)
        cookie.expires = QDateTime::fromSecsSinceEpoch(expires, Qt::UTC);
    cookie.name = QString::fromUtf8(fields.at(5));
    cookie.value = fields.size() > 6 ? QString::fromUtf8(fields.mid(6).join('\t')) : QString(QLatin1String(""));
    return cookie;
}

bool isExpired(const Cookie& cookie)
{
    return cookie.expires.isValid() && cookie.expires <= QDateTime::currentDateTimeUtc();
}

bool sameCookie(const Cookie& a, const Cookie& b)
{
    return a.name == b.name && a.path == b.path
        && a.domain.compare(b.domain, Qt::CaseInsensitive) == 0;
}

// Hands lines to the share's cookie engine through a short-lived easy handle.
void feedCookieList(CURLSH* share, const QList<QByteArray>& commands)
{
    CURL* easy = curl_easy_init();
    if (!easy)
        return;
    curl_easy_setopt(easy, CURLOPT_SHARE, share);
    for (const QByteArray& command : commands)
        curl_easy_setopt(easy, CURLOPT_COOKIELIST, command.constData());
    curl_easy_cleanup(easy);
}

} // namespace

CookieStore& CookieStore::shared()
{
    static CookieStore store;
    return store;
}

CookieStore::CookieStore()
{
    UrlLoader::ensureCurlInitialized();
    m_share = curl_share_init();
    curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, lockShare);
    curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, unlockShare);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
}

CookieStore::~CookieStore()
{
    // The share outlives every exchange (it lives until the process ends); easy handles
    // still attached at exit would make curl_share_cleanup fail, which is harmless here.
    curl_share_cleanup(m_share);
}

void CookieStore::setStoragePath(const QString& file)
{
    QMutexLocker locker(&m_fileLock);
    m_path = file;
    m_lastWritten.clear();
    if (file.isEmpty())
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines;
    QList<Cookie> loaded;
    for (QByteArray line : in.readAll().split('\n')) {
        line = line.trimmed();
        const std::optional<Cookie> cookie = parseNetscapeLine(line);
        if (!cookie || cookie->isSessionCookie() || isExpired(*cookie))
            continue;
        lines.append(line);
    }
    feedCookieList(m_share, lines);
    m_lastWritten = serializePersistent();
}

QString CookieStore::storagePath() const
{
    QMutexLocker locker(&m_fileLock);
    return m_path;
}

QList<Cookie> CookieStore::cookies() const
{
    QList<Cookie> result;
    CURL* easy = curl_easy_init();
    if (!easy)
        return result;
    curl_easy_setopt(easy, CURLOPT_SHARE, m_share);
    struct curl_slist* list = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (struct curl_slist* item = list; item; item = item->next) {
            const std::optional<Cookie> cookie = parseNetscapeLine(QByteArray(item->data));
            if (cookie && !isExpired(*cookie))
                result.append(*cookie);
        }
    }
    curl_slist_free_all(list);
    curl_easy_cleanup(easy);
    return result;
}

// The cookies a request to this host would carry, plus those of its sub-domains (so that
// "the site's cookies" are all found from the site's host name). A leading dot is ignored.
QList<Cookie> CookieStore::cookiesForDomain(const QString& domain) const
{
    QString host = domain.toLower();
    if (host.startsWith(QLatin1Char('.')))
        host.remove(0, 1);
    QList<Cookie> result;
    for (const Cookie& cookie : cookies()) {
        QString bare = cookie.domain.toLower();
        const bool tail = bare.startsWith(QLatin1Char('.'));
        if (tail)
            bare.remove(0, 1);
        const bool matches = bare == host
            || (tail && host.endsWith(QLatin1Char('.') + bare))
            || bare.endsWith(QLatin1Char('.') + host);
        if (matches)
            result.append(cookie);
    }
    return result;
}

bool CookieStore::setCookie(const Cookie& cookie)
{
    feedCookieList(m_share, {netscapeLine(cookie)});
    return persist();
}

bool CookieStore::deleteCookie(const Cookie& cookie)
{
    return deleteCookies([&cookie](const Cookie& c) { return sameCookie(c, cookie); });
}

bool CookieStore::deleteCookies(const std::function<bool(const Cookie&)>& doomed)
{
    {
        // libcurl cannot remove a single cookie, so the jar is rebuilt without the doomed
        // ones. The jar is held from the listing to the rebuild: a cookie that a worker
        // stores meanwhile waits, and is neither lost nor overwritten by an older listing.
        std::lock_guard<std::recursive_mutex> jar(g_shareLocks[CURL_LOCK_DATA_COOKIE]);
        QList<Cookie> all = cookies();
        if (std::any_of(all.cbegin(), all.cend(), doomed)) {
            all.removeIf(doomed);
            QList<QByteArray> commands{"ALL"};
            for (const Cookie& kept : all)
                commands.append(netscapeLine(kept));
            feedCookieList(m_share, commands);
        }
    }
    return persist();
}

bool CookieStore::deleteAll()
{
    feedCookieList(m_share, {"ALL"});
    return persist();
}

QByteArray CookieStore::serializePersistent() const
{
    QList<QByteArray> lines;
    for (const Cookie& cookie : cookies()) {
        if (!cookie.isSessionCookie())
            lines.append(netscapeLine(cookie));
    }
    std::sort(lines.begin(), lines.end());
    QByteArray text = "# Netscape HTTP Cookie File\n";
    for (const QByteArray& line : lines)
        text += line + '\n';
    return text;
}

bool CookieStore::persist()
{
    QMutexLocker locker(&m_fileLock);
    if (m_path.isEmpty())
        return true;
    const QByteArray text = serializePersistent();
    if (text == m_lastWritten)
        return true;
    const QFileInfo info(m_path);
    if (!info.absoluteDir().exists()) {
        QDir().mkpath(info.absolutePath());
        QFile::setPermissions(info.absolutePath(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // QSaveFile gives its temporary file the mode of the file it replaces; a first file would
    // start out readable by others (the umask's mode) until it is narrowed below.
    if (!info.exists()) {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    QSaveFile out(m_path);
    bool written = out.open(QIODevice::WriteOnly);
    if (written) {
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        written = out.write(text) == text.size() && out.commit();
    }
    if (written) {
        m_lastWritten = text;
        m_failureReported = false;
        return true;
    }
    // Said once per run of failures, not for every exchange while the disk stays full.
    if (!m_failureReported) {
        std::fprintf(stderr, "itarnvale: cannot save the cookies to %s: %s\n",
                     qPrintable(QDir::toNativeSeparators(m_path)), qPrintable(out.errorString()));
        m_failureReported = true;
    }
    return false;
}
