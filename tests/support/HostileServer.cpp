#include "HostileServer.h"

#include <algorithm>
#include <chrono>
#include <string>

namespace {

constexpr size_t kBlockBytes = 64 * 1024;
constexpr int kDripMilliseconds = 50;
constexpr int kDripLimitMilliseconds = 120 * 1000; // a drip nobody reads ends some time

// One block of a body that repeats: the start of a .torrent file, or listing rows.
std::string torrentBlock()
{
    std::string block = "d8:announce30:http://127.0.0.1:1/announce.php4:infod4:name8:huge.avi6:pieces";
    block.resize(kBlockBytes, 'x');
    return block;
}

std::string listingBlock()
{
    const std::string row =
        "<tr><td class=\"c\"><img src=\"http://127.0.0.1/images/cats/movies.gif\" alt=\"\"></td>"
        "<td><a href=\"/details/1\">A listing that never ends</a></td><td class=\"s\">Movies</td>"
        "<td><a href=\"/files/download/1\">get</a></td><td>700 MB</td><td>1</td><td>2</td>"
        "<td class=\"green\">5</td><td class=\"red\">2</td></tr>\n";
    std::string block;
    while (block.size() + row.size() <= kBlockBytes)
        block += row;
    block.resize(kBlockBytes, ' ');
    return block;
}

} // namespace

HostileServer::HostileServer(bool tls, LoopbackServer::Certificate certificate)
    : m_server(tls, certificate)
{
    m_server.setHandler([this](const httplib::Request& request, httplib::Response& response) {
        answer(request, response);
    });
}

HostileServer::~HostileServer()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_stopped = true;
    }
    m_stopping.notify_all();
}

void HostileServer::setMisbehaviour(Misbehaviour misbehaviour)
{
    m_misbehaviour = misbehaviour;
}

void HostileServer::setRedirectTarget(const QUrl& target)
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_redirectTarget = target;
}

bool HostileServer::pause(int milliseconds)
{
    std::unique_lock<std::mutex> locker(m_lock);
    return !m_stopping.wait_for(locker, std::chrono::milliseconds(milliseconds), [this] { return m_stopped; });
}

void HostileServer::answer(const httplib::Request& request, httplib::Response& response)
{
    // A body of `total` bytes made of `block` over and over, written as the client reads it.
    const auto stream = [this, &response](qint64 total, const std::string& block, const char* type, bool chunked) {
        const auto write = [this, block](size_t offset, httplib::DataSink& sink) {
            const size_t at = offset % block.size();
            const size_t length = block.size() - at;
            if (!sink.write(block.data() + at, length))
                return false;
            m_sent += qint64(length);
            return true;
        };
        if (!chunked) {
            response.set_content_provider(size_t(total), type,
                                          [write, total](size_t offset, size_t, httplib::DataSink& sink) {
                                              return offset < size_t(total) && write(offset, sink);
                                          });
            return;
        }
        auto sent = std::make_shared<size_t>(0);
        response.set_chunked_content_provider(type, [write, total, sent, block](size_t, httplib::DataSink& sink) {
            if (*sent >= size_t(total)) {
                sink.done();
                return true;
            }
            if (!write(*sent, sink))
                return false;
            *sent += block.size();
            return true;
        });
    };

    switch (m_misbehaviour.load()) {
    case Misbehaviour::None:
        response.set_content("<html><head><title>Tarnvale :: Browse</title></head></html>", "text/html");
        return;
    case Misbehaviour::SlowDrip:
        response.set_chunked_content_provider("text/html", [this](size_t, httplib::DataSink& sink) {
            // One byte per call; false (the connection ends) once the client has gone or the
            // server is going away.
            for (int waited = 0; waited < kDripLimitMilliseconds; waited += kDripMilliseconds) {
                if (!sink.write("<", 1))
                    return false;
                ++m_sent;
                if (!pause(kDripMilliseconds))
                    return false;
            }
            return false;
        });
        return;
    case Misbehaviour::HugeLengthShortBody:
        // The promised length, then a short body and the end of the connection.
        response.set_content_provider(size_t(kHugeLength), "text/html", [this](size_t, size_t, httplib::DataSink& sink) {
            const std::string body(1024, 'x');
            if (sink.write(body.data(), body.size()))
                m_sent += qint64(body.size());
            return false;
        });
        return;
    case Misbehaviour::HugeTorrent:
    case Misbehaviour::HugeTorrentChunked:
        stream(kHugeTorrentBytes, torrentBlock(), "application/x-bittorrent",
               m_misbehaviour == Misbehaviour::HugeTorrentChunked);
        return;
    case Misbehaviour::HugeListing:
    case Misbehaviour::HugeListingChunked:
        stream(kHugeListingBytes, listingBlock(), "text/html", m_misbehaviour == Misbehaviour::HugeListingChunked);
        return;
    case Misbehaviour::RedirectLoop:
        response.status = 302;
        response.set_header("Location", request.target);
        return;
    case Misbehaviour::RedirectElsewhere: {
        std::lock_guard<std::mutex> locker(m_lock);
        response.status = 302;
        response.set_header("Location", m_redirectTarget.toString().toStdString());
        return;
    }
    case Misbehaviour::UnknownEncoding: {
        std::string body = "\x1f\x8b\x08";
        for (int i = 0; i < 4096; ++i)
            body += char(0x80 + (i * 37) % 0x7f);
        response.set_header("Content-Encoding", "x-unknown");
        response.set_content(body, "text/html; charset=x-unknown");
        return;
    }
    }
}
