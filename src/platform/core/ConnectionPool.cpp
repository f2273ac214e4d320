#include "platform/core/ConnectionPool.h"

#include "platform/core/CookieStore.h"
#include "platform/core/Shutdown.h"
#include "platform/core/UrlLoader.h"

ConnectionPool& ConnectionPool::shared()
{
    // The cookie store (whose share every handle is attached to) is made first, so it is
    // destroyed after the pool: a share cannot be cleaned up while handles use it.
    CookieStore::shared();
    static ConnectionPool pool;
    return pool;
}

ConnectionPool::ConnectionPool()
{
    UrlLoader::ensureCurlInitialized();
}

ConnectionPool::~ConnectionPool()
{
    closeIdle();
}

QString ConnectionPool::originOf(const QUrl& url)
{
    const bool secure = url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    return url.scheme().toLower() + QLatin1String("://") + url.host().toLower() + QLatin1Char(':')
        + QString::number(url.port(secure ? 443 : 80));
}

CURL* ConnectionPool::take(const QUrl& url)
{
    const QString origin = originOf(url);
    {
        std::lock_guard<std::mutex> locker(m_lock);
        for (auto it = m_idle.rbegin(); it != m_idle.rend(); ++it) {
            if (it->origin == origin) {
                CURL* easy = it->easy;
                m_idle.erase(std::next(it).base());
                return easy;
            }
        }
    }
    return curl_easy_init();
}

void ConnectionPool::resetHandle(CURL* easy)
{
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, nullptr);
    curl_easy_reset(easy);
}

void ConnectionPool::give(CURL* easy, const QUrl& lastUrl, bool keep)
{
    if (!easy)
        return;
    // No option may point at the finished exchange's buffers while the handle waits.
    resetHandle(easy);
    CURL* closed = nullptr;
    if (keep && !Shutdown::hasBegun()) {
        std::lock_guard<std::mutex> locker(m_lock);
        m_idle.push_back({originOf(lastUrl), easy});
        if (int(m_idle.size()) > kMaxIdle) {
            closed = m_idle.front().easy;
            m_idle.erase(m_idle.begin());
        }
    } else {
        closed = easy;
    }
    // Outside the lock: closing a TLS connection writes to its peer.
    if (closed)
        curl_easy_cleanup(closed);
}

void ConnectionPool::closeIdle()
{
    std::vector<Idle> idle;
    {
        std::lock_guard<std::mutex> locker(m_lock);
        idle.swap(m_idle);
    }
    for (const Idle& handle : idle)
        curl_easy_cleanup(handle.easy);
}

int ConnectionPool::idleCount() const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return int(m_idle.size());
}
