#include "CountingServer.h"

#include "LoopbackCertificates.h"

#include <httplib.h>

#include <condition_variable>
#include <mutex>

struct CountingServer::Gate
{
    std::mutex lock;
    std::condition_variable opened;
    bool open = false;
};

namespace {

// Enough threads that every connection a test keeps open has one.
constexpr int kThreads = 32;

// The server hands each accepted connection to its task queue once: counting the tasks
// counts the accepts.
class CountingQueue : public httplib::TaskQueue
{
public:
    explicit CountingQueue(std::shared_ptr<std::atomic<int>> accepted)
        : m_accepted(std::move(accepted))
    {
    }
    void enqueue(std::function<void()> fn) override
    {
        ++*m_accepted;
        m_pool.enqueue(std::move(fn));
    }
    void shutdown() override { m_pool.shutdown(); }

private:
    std::shared_ptr<std::atomic<int>> m_accepted;
    httplib::ThreadPool m_pool{kThreads};
};

std::unique_ptr<httplib::Server> makeServer(bool tls)
{
    if (!tls)
        return std::make_unique<httplib::Server>();
    const LoopbackCertificates& certificates = LoopbackCertificates::instance();
    return std::make_unique<httplib::SSLServer>(certificates.serverCertificate(), certificates.serverKey());
}

} // namespace

CountingServer::CountingServer(bool tls)
    : m_tls(tls)
    , m_gate(std::make_shared<Gate>())
    , m_listener(makeServer(tls))
{
    // Kept connections as DemoServerThread keeps them, counted as they are accepted.
    httplib::Server& server = m_listener.server();
    server.new_task_queue = [accepted = m_accepted] { return new CountingQueue(accepted); };
    server.Get("/hold", [gate = m_gate, holding = m_holding, requests = m_requests](const httplib::Request&,
                                                                                  httplib::Response& response) {
        ++*requests;
        ++*holding;
        {
            std::unique_lock<std::mutex> locker(gate->lock);
            gate->opened.wait(locker, [&gate] { return gate->open; });
        }
        --*holding;
        response.set_content("held", "text/html");
    });
    server.Get(".*", [requests = m_requests](const httplib::Request&, httplib::Response& response) {
        ++*requests;
        response.set_content("<html><body>page</body></html>", "text/html");
    });
    m_listening = m_listener.start(&m_error);
}

CountingServer::~CountingServer()
{
    release();
    m_listener.stop();
}

QUrl CountingServer::url(const QString& pathAndQuery) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_listener.port())
                    .arg(pathAndQuery));
}

void CountingServer::release()
{
    {
        std::lock_guard<std::mutex> locker(m_gate->lock);
        m_gate->open = true;
    }
    m_gate->opened.notify_all();
}
