#include "UtorrentStandIn.h"

#include "DemoTorrentFile.h"

#include <QCryptographicHash>

#include <httplib.h>

namespace {
constexpr char kRealm[] = "uTorrent";
constexpr char kInvalidRequest[] = "invalid request";
}

UtorrentStandIn::UtorrentStandIn(const QString& username, const QString& password)
    : StandInServer(username, password)
{
    server().Get("/gui/token.html", [this](const httplib::Request& request, httplib::Response& response) {
        if (!authorize(request, response, kRealm))
            return;
        QByteArray guid = cookie(request, "GUID");
        QByteArray token;
        {
            std::lock_guard guard(m_tokenLock);
            const int serial = ++m_serial;
            const QByteArray seed = QByteArray::number(serial) + QByteArray::number(port());
            if (guid.isEmpty())
                guid = QCryptographicHash::hash("guid" + seed, QCryptographicHash::Md5).toHex().left(20);
            token = QCryptographicHash::hash("token" + seed, QCryptographicHash::Sha1).toBase64(
                QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
            m_tokens.insert(token, guid);
        }
        response.set_header("Set-Cookie", "GUID=" + guid.toStdString() + "; path=/");
        response.set_content("<html><div id='token' style='display:none;'>" + token.toStdString() + "</div></html>",
                             "text/html");
    });

    const auto gui = [this](const httplib::Request& request, httplib::Response& response) {
        if (!authorize(request, response, kRealm))
            return;
        const QByteArray action = QByteArray::fromStdString(request.get_param_value("action"));
        if (action.isEmpty()) {
            QString page = QStringLiteral("<html><head><title>uTorrent WebUI</title></head><body><h1>Torrents</h1><ul>\n");
            for (const QString& name : torrentNames())
                page += QStringLiteral("<li>") + htmlEscaped(name) + QStringLiteral("</li>\n");
            page += QStringLiteral("</ul></body></html>");
            response.set_content(page.toStdString(), "text/html; charset=utf-8");
            return;
        }
        const QByteArray token = QByteArray::fromStdString(request.get_param_value("token"));
        QByteArray guid;
        {
            std::lock_guard guard(m_tokenLock);
            guid = m_tokens.value(token);
        }
        const bool tokenGood = !token.isEmpty() && !guid.isEmpty() && cookie(request, "GUID") == guid;
        if (!tokenGood || action != "add-file" || request.method != "POST" || !request.has_file("torrent_file")) {
            response.status = 400;
            response.set_content(kInvalidRequest, "text/plain");
            return;
        }
        QByteArray reply;
        {
            std::lock_guard guard(m_tokenLock);
            reply = m_uploadReply;
        }
        if (!reply.isNull()) {
            response.set_content(reply.toStdString(), "text/html");
            return;
        }
        const QByteArray file = QByteArray::fromStdString(request.get_file_value("torrent_file").content);
        const QString name = DemoTorrentFile::nameOf(file);
        if (name.isNull()) {
            response.set_content("{\"error\":\"Can't add torrent: torrent is not valid bencoding\"}",
                                 "text/plain");
            return;
        }
        addTorrent(name);
        response.set_content("{\"build\":" + std::to_string(kBuild) + "}", "text/plain");
    };
    server().Get("/gui/", gui);
    server().Post("/gui/", gui);
}

QMap<QByteArray, QByteArray> UtorrentStandIn::issuedTokens() const
{
    std::lock_guard guard(m_tokenLock);
    return m_tokens;
}

void UtorrentStandIn::setUploadReply(const QByteArray& body)
{
    std::lock_guard guard(m_tokenLock);
    m_uploadReply = body;
}
