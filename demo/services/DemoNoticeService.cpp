#include "DemoNoticeService.h"

#include "DemoServerThread.h"

#include <httplib.h>

#include <chrono>

const char DemoNoticeService::kHostName[] = "notice.localhost";
const char DemoNoticeService::kDefaultAnswer[] =
    "GO:Welcome to the Tarnvale demo. Browse, search and send torrents to your client.";

DemoNoticeService::DemoNoticeService()
    : m_answer(QString::fromUtf8(kDefaultAnswer))
{
}

DemoNoticeService::~DemoNoticeService()
{
    stop();
}

bool DemoNoticeService::start(QString* error)
{
    if (m_server && m_server->isRunning())
        return true;
    {
        std::lock_guard lock(m_lock);
        m_stopping = false;
    }
    m_server = std::make_unique<DemoServerThread>(std::make_unique<httplib::Server>());
    m_server->server().Get("/itarnvale.php", [this](const httplib::Request& req, httplib::Response& res) {
        std::unique_lock lock(m_lock);
        m_requests.append(QString::fromStdString(req.target).section(QLatin1Char('?'), 1));
        const QString body = m_answer;
        const int status = m_status;
        if (m_delay > 0)
            m_stopped.wait_for(lock, std::chrono::milliseconds(m_delay), [this] { return m_stopping; });
        lock.unlock();
        res.status = status;
        res.set_content(body.toStdString(), "text/plain; charset=utf-8");
    });
    if (!m_server->start(error)) {
        m_server.reset();
        return false;
    }
    return true;
}

void DemoNoticeService::stop()
{
    {
        std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_stopped.notify_all();
    if (m_server)
        m_server->stop();
}

int DemoNoticeService::port() const
{
    return m_server ? m_server->port() : 0;
}

QString DemoNoticeService::host() const
{
    return m_server ? QStringLiteral("%1:%2").arg(QLatin1String(kHostName)).arg(port()) : QString();
}

void DemoNoticeService::setAnswer(const QString& body)
{
    std::lock_guard lock(m_lock);
    m_answer = body;
}

QString DemoNoticeService::answer() const
{
    std::lock_guard lock(m_lock);
    return m_answer;
}

void DemoNoticeService::setStatus(int status)
{
    std::lock_guard lock(m_lock);
    m_status = status;
}

void DemoNoticeService::setDelayMilliseconds(int milliseconds)
{
    std::lock_guard lock(m_lock);
    m_delay = milliseconds;
}

void DemoNoticeService::reset()
{
    std::lock_guard lock(m_lock);
    m_answer = QString::fromUtf8(kDefaultAnswer);
    m_status = 200;
    m_delay = 0;
}

QStringList DemoNoticeService::requests() const
{
    std::lock_guard lock(m_lock);
    return m_requests;
}

void DemoNoticeService::clearRequests()
{
    std::lock_guard lock(m_lock);
    m_requests.clear();
}
