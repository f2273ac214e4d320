#include "site/PagePrefetch.h"

#include "platform/core/CookieStore.h"
#include "platform/core/Operation.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/Shutdown.h"
#include "site/HttpRequest.h"
#include "site/SiteHosts.h"

#include <QElapsedTimer>

#include <chrono>
#include <mutex>
#include <utility>

namespace {

struct State
{
    std::mutex lock;
    std::optional<UrlRequest> request; // what was sent, until taken or forgotten
    std::optional<UrlResponse> response;
    bool running = false;
    QElapsedTimer started;
};

State& state()
{
    static State shared;
    return shared;
}

OperationQueue& queue()
{
    static OperationQueue prefetches(1);
    return prefetches;
}

bool sameExchange(const UrlRequest& a, const UrlRequest& b)
{
    return a.url == b.url && a.method == b.method && a.headers == b.headers && a.body == b.body
        && a.timeoutSeconds == b.timeoutSeconds && a.maxBodyBytes == b.maxBodyBytes;
}

class PrefetchOperation : public Operation
{
public:
    explicit PrefetchOperation(UrlRequest request)
        : m_request(std::move(request))
    {
    }

    void main() override
    {
        CookieStore::shared().setAcceptPolicyAlways();
        std::optional<UrlResponse> response = UrlLoader::send(m_request);
        State& shared = state();
        {
            std::lock_guard<std::mutex> locker(shared.lock);
            shared.response = std::move(response);
            shared.running = false;
        }
        Shutdown::wake();
    }

private:
    UrlRequest m_request;
};

} // namespace

void PagePrefetch::start(const QUrl& url)
{
    const UrlRequest request = HttpRequest(url).urlRequest();
    State& shared = state();
    {
        std::lock_guard<std::mutex> locker(shared.lock);
        if (shared.running)
            return;
        shared.request = request;
        shared.response.reset();
        shared.running = true;
        shared.started.start();
    }
    queue().addOperation(std::make_unique<PrefetchOperation>(request));
}

std::optional<UrlResponse> PagePrefetch::take(const UrlRequest& request)
{
    State& shared = state();
    {
        std::lock_guard<std::mutex> locker(shared.lock);
        if (!shared.request || !sameExchange(*shared.request, request))
            return std::nullopt;
    }
    // The list asks while the prefetch is still on its way: its answer comes sooner than a
    // new exchange's would.
    const bool done = Shutdown::waitUntil(
        [&shared] {
            std::lock_guard<std::mutex> locker(shared.lock);
            return !shared.running;
        },
        std::chrono::milliseconds(100));
    std::lock_guard<std::mutex> locker(shared.lock);
    if (!done || !shared.request || !sameExchange(*shared.request, request))
        return std::nullopt;
    shared.request.reset();
    std::optional<UrlResponse> response = std::exchange(shared.response, std::nullopt);
    if (!response || response->statusCode < 200 || response->statusCode >= 300
        || shared.started.hasExpired(qint64(kFreshSeconds) * 1000))
        return std::nullopt;
    // An answer from before a sign-in that the session needed is not the signed-in page.
    if (SiteHosts::isLoginHeader(HttpRequest::decodeBody(response->body)))
        return std::nullopt;
    return response;
}

void PagePrefetch::forget()
{
    State& shared = state();
    std::lock_guard<std::mutex> locker(shared.lock);
    if (!shared.running)
        shared.request.reset();
    shared.response.reset();
}
