#include "platform/core/UrlLoader.h"

#include "platform/core/ConnectionPool.h"
#include "platform/core/CookieStore.h"
#include "platform/core/Shutdown.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QMutex>
#include <QScopeGuard>

#include <curl/curl.h>

#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>
#include <set>

#include <sys/socket.h>
#include <unistd.h>

namespace {

std::atomic<int> g_defaultTimeoutSeconds{UrlLoader::kDefaultTimeoutSeconds};

QMutex g_caLock;
QString g_extraCaFile;
QByteArray g_caBundle; // the system's CAs followed by the extra file; empty without one

QByteArray systemCaBundle()
{
    QString path = QStringLiteral("/etc/ssl/certs/ca-certificates.crt");
    if (CURL* easy = curl_easy_init()) {
        char* builtin = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &builtin) == CURLE_OK && builtin)
            path = QFile::decodeName(builtin);
        curl_easy_cleanup(easy);
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct BodySink
{
    QByteArray* body;
    qint64 limit;
};

// Returning less than was given makes libcurl end the exchange with an error.
size_t appendBody(char* data, size_t size, size_t count, void* target)
{
    auto* sink = static_cast<BodySink*>(target);
    const qint64 bytes = qint64(size * count);
    if (sink->body->size() + bytes > sink->limit)
        return 0;
    sink->body->append(data, qsizetype(bytes));
    return size * count;
}

std::atomic<int> g_exchanges{0};

// The sockets of every exchange under way, so that abortAll() can end them at once.
std::mutex g_socketLock;
std::set<curl_socket_t> g_sockets;

curl_socket_t openSocket(void*, curlsocktype, curl_sockaddr* address)
{
    std::lock_guard<std::mutex> locker(g_socketLock);
    if (Shutdown::hasBegun())
        return CURL_SOCKET_BAD;
    const curl_socket_t fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (fd != CURL_SOCKET_BAD)
        g_sockets.insert(fd);
    return fd;
}

int closeSocket(void*, curl_socket_t fd)
{
    {
        // Forgotten before it is closed, so abortAll() never touches a number reused since.
        std::lock_guard<std::mutex> locker(g_socketLock);
        g_sockets.erase(fd);
    }
    return ::close(fd);
}

// Also ends an exchange that is still resolving or between its sockets.
int checkAbort(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return Shutdown::hasBegun() ? 1 : 0;
}

// Keeps the header fields of the last response the handle saw: every status line (an
// interim 1xx answer, a redirect) starts a fresh list.
size_t collectHeader(char* data, size_t size, size_t count, void* target)
{
    auto* fields = static_cast<QList<QPair<QByteArray, QByteArray>>*>(target);
    const QByteArray line = QByteArray(data, qsizetype(size * count));
    const QByteArray trimmed = line.trimmed();
    if (line.startsWith("HTTP/")) {
        fields->clear();
    } else if ((line.startsWith(' ') || line.startsWith('\t')) && !fields->isEmpty()) {
        fields->last().second += ' ' + trimmed; // a folded continuation line
    } else if (const qsizetype colon = trimmed.indexOf(':'); colon > 0) {
        fields->append({trimmed.left(colon).trimmed(), trimmed.mid(colon + 1).trimmed()});
    }
    return size * count;
}

// Gives the borrowed handle back to the pool when the exchange ends, however it ends. Only
// a handle whose exchange finished keeps its connections: one cut short (time-out, abort,
// a body over its limit) may have left its connection mid-answer, and libcurl closes such
// a connection anyway.
class BorrowedHandle
{
public:
    explicit BorrowedHandle(const QUrl& url)
        : m_easy(ConnectionPool::shared().take(url))
        , m_url(url)
    {
    }
    ~BorrowedHandle() { ConnectionPool::shared().give(m_easy, m_url, m_finished); }
    BorrowedHandle(const BorrowedHandle&) = delete;
    BorrowedHandle& operator=(const BorrowedHandle&) = delete;

    CURL* get() const { return m_easy; }
    void finished(const QUrl& url)
    {
        m_url = url;
        m_finished = true;
    }

private:
    CURL* m_easy;
    QUrl m_url;
    bool m_finished = false;
};

struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

bool hasHeader(const QList<QPair<QByteArray, QByteArray>>& headers, const char* name)
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void dropHeaders(QList<QPair<QByteArray, QByteArray>>& headers, std::initializer_list<const char*> names)
{
    headers.removeIf([&names](const QPair<QByteArray, QByteArray>& header) {
        for (const char* name : names) {
            if (header.first.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    });
}

bool isSecure(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

int effectivePort(const QUrl& url)
{
    return url.port(isSecure(url) ? 443 : 80);
}

// Reads libcurl's code (and, for a failed connect, the system's) as a reason a screen can show.
FetchFailure::Kind failureKind(CURLcode code, long osErrno)
{
    using Kind = FetchFailure::Kind;
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return Kind::TimedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
        return Kind::HostNotFound;
    case CURLE_COULDNT_CONNECT:
        if (osErrno == ECONNREFUSED)
            return Kind::ConnectionRefused;
        if (osErrno == ENETUNREACH || osErrno == ENETDOWN)
            return Kind::NoNetwork;
        return Kind::CouldNotConnect;
    case CURLE_GOT_NOTHING:
        return Kind::NoAnswer;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        return Kind::CutShort;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return Kind::Secure;
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR: // the body sink refused more than the limit
        return Kind::TooLarge;
    default:
        return Kind::Other;
    }
}

FetchFailure failureFor(FetchFailure::Kind kind, const QUrl& url, int timeoutSeconds)
{
    FetchFailure failure;
    failure.kind = kind;
    failure.host = url.host();
    failure.port = effectivePort(url);
    failure.seconds = timeoutSeconds;
    return failure;
}

} // namespace

void UrlLoader::setDefaultTimeoutSeconds(int seconds)
{
    g_defaultTimeoutSeconds = seconds > 0 ? seconds : kDefaultTimeoutSeconds;
}

int UrlLoader::defaultTimeoutSeconds()
{
    return g_defaultTimeoutSeconds;
}

int UrlLoader::exchangesUnderWay()
{
    return g_exchanges.load();
}

void UrlLoader::abortAll()
{
    std::lock_guard<std::mutex> locker(g_socketLock);
    for (const curl_socket_t fd : g_sockets)
        ::shutdown(fd, SHUT_RDWR);
}

void UrlLoader::ensureCurlInitialized()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void UrlLoader::setExtraCaFile(const QString& path)
{
    ensureCurlInitialized();
    QByteArray bundle;
    if (!path.isEmpty()) {
        QFile extra(path);
        if (extra.open(QIODevice::ReadOnly))
            bundle = systemCaBundle() + '\n' + extra.readAll();
    }
    QMutexLocker locker(&g_caLock);
    g_extraCaFile = path;
    g_caBundle = bundle;
}

QString UrlLoader::extraCaFile()
{
    QMutexLocker locker(&g_caLock);
    return g_extraCaFile;
}

// Redirects are followed here rather than by libcurl so that a POST turned into a GET
// drops its body headers (libcurl would resend our "Content-Length" with no body, and the
// server would wait for it), and neither credentials nor a kept body are handed to another host.
std::optional<UrlResponse> UrlLoader::send(const UrlRequest& request, FetchFailure* failure)
{
    const int timeout = request.timeoutSeconds > 0 ? request.timeoutSeconds : defaultTimeoutSeconds();
    QUrl url = request.url;
    auto fail = [&](FetchFailure::Kind kind) -> std::optional<UrlResponse> {
        if (failure)
            *failure = failureFor(kind, url, timeout);
        return std::nullopt;
    };
    if (failure)
        *failure = FetchFailure();
    ++g_exchanges;
    const auto counted = qScopeGuard([] { --g_exchanges; });
    ensureCurlInitialized();
    if (Shutdown::hasBegun())
        return fail(FetchFailure::Kind::Other);
    // A kept handle brings its open connection to this origin: the request goes out at once,
    // without a new connection's round trip (and TLS handshake).
    BorrowedHandle easy(request.url);
    if (!easy.get())
        return fail(FetchFailure::Kind::Other);
    QByteArray caBundle;
    {
        QMutexLocker locker(&g_caLock);
        caBundle = g_caBundle;
    }
    const QDeadlineTimer deadline(qint64(timeout) * 1000);
    CookieStore& cookies = CookieStore::shared();

    QByteArray method = request.method;
    QByteArray body = request.body;
    QList<QPair<QByteArray, QByteArray>> headers = request.headers;

    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        CURL* handle = easy.get();
        // The reset keeps the handle's open connections and its share.
        ConnectionPool::resetHandle(handle);
        const QByteArray urlBytes = url.toEncoded();
        curl_easy_setopt(handle, CURLOPT_URL, urlBytes.constData());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_SHARE, cookies.share());
        curl_easy_setopt(handle, CURLOPT_COOKIEFILE, ""); // turns the cookie engine on
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, openSocket);
        curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, closeSocket);
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, checkAbort);
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.maxBodyBytes));
        if (!caBundle.isEmpty()) {
            curl_blob blob{caBundle.data(), size_t(caBundle.size()), CURL_BLOB_COPY};
            curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, &blob);
        }
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            return fail(FetchFailure::Kind::TimedOut);
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(remaining));

        if (method == "GET") {
            curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
        } else if (method == "HEAD") {
            curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
        } else {
            if (method == "POST" || !body.isEmpty()) {
                curl_easy_setopt(handle, CURLOPT_POST, 1L);
                curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
                curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.constData());
            }
            if (method != "POST")
                curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, method.constData());
        }

        curl_slist* rawList = nullptr;
        for (const auto& header : headers) {
            // "Name;" is libcurl's way of sending a header with an empty value.
            const QByteArray line = header.second.isEmpty() ? header.first + ';'
                                                            : header.first + ": " + header.second;
            rawList = curl_slist_append(rawList, line.constData());
        }
        if (!hasHeader(headers, "Expect"))
            rawList = curl_slist_append(rawList, "Expect:");
        std::unique_ptr<curl_slist, ListDeleter> list(rawList);
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, list.get());

        UrlResponse current;
        BodySink sink{&current.body, request.maxBodyBytes};
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, collectHeader);
        curl_easy_setopt(handle, CURLOPT_HEADERDATA, &current.headerFields);

        const CURLcode code = curl_easy_perform(handle);
        cookies.persist();
        if (code != CURLE_OK) {
            long osErrno = 0;
            curl_easy_getinfo(handle, CURLINFO_OS_ERRNO, &osErrno);
            return fail(failureKind(code, osErrno));
        }
        long status = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        current.statusCode = int(status);
        current.url = url;
        char* location = nullptr;
        curl_easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location);
        const bool redirect = (status == 301 || status == 302 || status == 303 || status == 307 || status == 308)
            && location && *location;
        if (!redirect) {
            easy.finished(url);
            return current;
        }
        if (hop == kMaxRedirects)
            return fail(FetchFailure::Kind::Redirect); // too many redirects, as a browser reports it

        const QUrl next = QUrl::fromEncoded(QByteArray(location));
        if ((status == 303 && method != "HEAD") || ((status == 301 || status == 302) && method == "POST")) {
            method = "GET";
            body.clear();
            dropHeaders(headers, {"Content-Type", "Content-Length"});
        }
        // A 307 or 308 keeps the method and the body (a sign-in form with its password, a
        // client's login call). They go on only to the very same origin; a redirect that would
        // carry them elsewhere, or down to plain http, ends the exchange as a failed one.
        const bool carriesBody = !body.isEmpty() || (method != "GET" && method != "HEAD");
        if (carriesBody && !isSameOrigin(url, next))
            return fail(FetchFailure::Kind::Redirect);
        if (!keepsCredentialsOnRedirect(url, next))
            dropHeaders(headers, {"Authorization", "Cookie", "Host"});
        url = next;
    }
    return fail(FetchFailure::Kind::Redirect);
}

bool UrlLoader::keepsCredentialsOnRedirect(const QUrl& from, const QUrl& to)
{
    return to.host().compare(from.host(), Qt::CaseInsensitive) == 0 && effectivePort(to) == effectivePort(from)
        && (isSecure(to) || !isSecure(from));
}

bool UrlLoader::isSameOrigin(const QUrl& from, const QUrl& to)
{
    return from.scheme().compare(to.scheme(), Qt::CaseInsensitive) == 0
        && to.host().compare(from.host(), Qt::CaseInsensitive) == 0 && effectivePort(to) == effectivePort(from);
}

std::optional<QByteArray> UrlLoader::contentsOfUrl(const QUrl& url, int timeoutSeconds, qint64 maxBodyBytes)
{
    UrlRequest request;
    request.url = url;
    request.timeoutSeconds = timeoutSeconds;
    request.maxBodyBytes = maxBodyBytes;
    const std::optional<UrlResponse> response = send(request);
    if (!response || response->statusCode < 200 || response->statusCode > 299)
        return std::nullopt;
    return response->body;
}
