#include "StandInServer.h"

#include <httplib.h>

QByteArray StandInExchange::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

StandInServer::StandInServer(const QString& username, const QString& password)
    : m_username(username), m_password(password), m_server(std::make_unique<httplib::Server>())
{
    // Recorded before the answer is written, so a client that has its answer finds the
    // exchange already on record.
    m_server->set_post_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        StandInExchange exchange;
        exchange.method = QByteArray::fromStdString(request.method);
        exchange.target = QByteArray::fromStdString(request.target);
        for (const auto& [key, value] : request.headers)
            exchange.headers.append({QByteArray::fromStdString(key), QByteArray::fromStdString(value)});
        exchange.body = QByteArray::fromStdString(request.body);
        exchange.parts = partsOf(request);
        exchange.status = response.status == -1 ? 200 : response.status;
        exchange.reply = QByteArray::fromStdString(response.body);
        std::lock_guard guard(m_lock);
        m_exchanges.append(exchange);
    });
}

StandInServer::~StandInServer()
{
    stop();
}

bool StandInServer::start()
{
    if (m_thread.joinable())
        return true;
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        return false;
    // The socket already listens, so requests made before the loop runs simply wait.
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    return true;
}

void StandInServer::stop()
{
    if (!m_thread.joinable())
        return;
    m_server->stop();
    m_thread.join();
}

QList<StandInExchange> StandInServer::exchanges() const
{
    std::lock_guard guard(m_lock);
    return m_exchanges;
}

QStringList StandInServer::torrentNames() const
{
    std::lock_guard guard(m_lock);
    return m_torrents;
}

void StandInServer::clear()
{
    std::lock_guard guard(m_lock);
    m_exchanges.clear();
    m_torrents.clear();
}

bool StandInServer::authorize(const httplib::Request& request, httplib::Response& response, const char* realm) const
{
    const QByteArray expected = "Basic " + (m_username + QLatin1Char(':') + m_password).toUtf8().toBase64();
    // A client may send the header twice; any one right copy will do, as in a browser.
    const size_t count = request.get_header_value_count("Authorization");
    for (size_t i = 0; i < count; ++i) {
        if (QByteArray::fromStdString(request.get_header_value("Authorization", i)) == expected)
            return true;
    }
    response.status = 401;
    response.set_header("WWW-Authenticate", std::string("Basic realm=\"") + realm + "\"");
    response.set_content("<html><body><h1>401 Unauthorized</h1></body></html>", "text/html");
    return false;
}

void StandInServer::addTorrent(const QString& name)
{
    std::lock_guard guard(m_lock);
    m_torrents.append(name);
}

QString StandInServer::htmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QList<StandInPart> StandInServer::partsOf(const httplib::Request& request)
{
    QList<StandInPart> parts;
    for (const auto& [key, file] : request.files) {
        parts.append({QByteArray::fromStdString(file.name), QByteArray::fromStdString(file.filename),
                      QByteArray::fromStdString(file.content_type), QByteArray::fromStdString(file.content)});
    }
    return parts;
}

QByteArray StandInServer::cookie(const httplib::Request& request, const QByteArray& name)
{
    const size_t count = request.get_header_value_count("Cookie");
    for (size_t i = 0; i < count; ++i) {
        const QByteArray header = QByteArray::fromStdString(request.get_header_value("Cookie", i));
        for (const QByteArray& pair : header.split(';')) {
            const QByteArray trimmed = pair.trimmed();
            if (trimmed.startsWith(name + '='))
                return trimmed.mid(name.size() + 1);
        }
    }
    return {};
}
