#include "remote/Qbittorrent.h"

#include "remote/RemoteTorrentReader.h"
#include "remote/TorrentFileCheck.h"
#include "site/HttpRequest.h"
#include "util/TextUtilities.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {
const QLatin1String kOk("Ok.");
} // namespace

QString Qbittorrent::getDefaultDescription() const
{
    return QStringLiteral(
        "iTarnvale can push torrent downloads to your computer if you are using the qBittorrent BitTorrent client "
        "with its Web UI enabled (on a computer without a desktop: qbittorrent-nox).\n\t\n\tSetup:\n\t- Install "
        "qBittorrent on your computer.  \n\t- Select \"Tools\", \"Options\", then the \"Web UI\" page.\n\t- Check the "
        "\"Web User Interface (Remote control)\" box and choose a user name and password.\n\t- Make sure your "
        "computer is online and running qBittorrent.\n\t- Fill in the fields above with the ip address and port "
        "(Default is 8080) of the Web UI, and its user name and password.");
}

QUrl Qbittorrent::getUrl() const
{
    return urlWithPath(QStringLiteral("/api/v2/torrents/add"));
}

QString Qbittorrent::postfixData() const
{
    return QStringLiteral("\r\n--%1--\r\n").arg(QLatin1String(kMultipartBoundary));
}

QList<QPair<QString, QString>> Qbittorrent::sameOriginHeaders() const
{
    const QString origin = QStringLiteral("http://") + address() + QLatin1Char(':') + port();
    return {{QStringLiteral("Referer"), origin + QLatin1Char('/')}, {QStringLiteral("Origin"), origin}};
}

std::unique_ptr<HttpRequest> Qbittorrent::get(const QString& pathAndQuery) const
{
    auto request = std::make_unique<HttpRequest>(urlWithPath(pathAndQuery));
    request->setExtraHeaders(sameOriginHeaders());
    request->request();
    return request;
}

void Qbittorrent::setSessionId()
{
    // The Web UI answers "Ok." to any sign-in that carries a live session, whatever the
    // password: without the session of an earlier sign-in, the stored password is what counts.
    // (Newer versions name the cookie after the port.)
    forgetSessionCookie(QStringLiteral("SID"));
    forgetSessionCookie(QStringLiteral("QBT_SID_") + port());
    HttpRequest login(urlWithPath(QStringLiteral("/api/v2/auth/login")));
    login.setType(QStringLiteral("POST"));
    login.setPostData(QStringLiteral("username=") + stringWithPercentEscape(username()) + QStringLiteral("&password=")
                      + stringWithPercentEscape(password()));
    login.setExtraHeaders(sameOriginHeaders());
    login.request();
    if (login.statusCode() == 200 && login.result() == kOk) {
        setHandshakeFailed(false);
        return;
    }
    if (!login.hasResponse()) {
        setHandshakeFailed(false); // nothing answered: the upload fails on its own
        return;
    }
    // Refused, or banned after too many refusals. A Web UI set to let this address in without
    // signing in still answers its API, and then the upload works all the same.
    setHandshakeFailed(get(QStringLiteral("/api/v2/app/version"))->statusCode() != 200);
}

bool Qbittorrent::upload()
{
    if (handshakeFailed())
        return false;
    const auto send = [this] {
        std::unique_ptr<HttpRequest> request = makeUploadRequest();
        request->setExtraHeaders(sameOriginHeaders());
        request->request();
        return request;
    };
    std::unique_ptr<HttpRequest> request = send();
    if (request->statusCode() == 403) {
        // The session went between the sign-in and the upload (another upload's sign-in
        // replaced the cookie, the Web UI restarted): once more with a fresh one.
        setSessionId();
        if (handshakeFailed())
            return false;
        request = send();
    }
    if (request->statusCode() == 200 && request->result() == kOk)
        return true;
    if (request->hasResponse() && holdsTorrent())
        return true;
    // The Web API answers "Fails." for a file it does not take.
    noteUploadFailure(*request, request->result());
    return false;
}

bool Qbittorrent::holdsTorrent() const
{
    const QStringList hashes = TorrentFileCheck::infoHashes(file());
    if (hashes.isEmpty())
        return false;
    const std::unique_ptr<HttpRequest> info = get(QStringLiteral("/api/v2/torrents/info?hashes=") + hashes.join(QLatin1Char('|')));
    if (info->statusCode() != 200)
        return false;
    return !QJsonDocument::fromJson(info->result().toUtf8()).array().isEmpty();
}

std::unique_ptr<HttpRequest> Qbittorrent::control(const QString& path, const QString& form)
{
    const auto send = [&] {
        auto request = std::make_unique<HttpRequest>(urlWithPath(path));
        request->setExtraHeaders(sameOriginHeaders());
        if (!form.isNull()) {
            request->setType(QStringLiteral("POST"));
            request->setPostData(form);
        }
        request->request();
        return request;
    };
    std::unique_ptr<HttpRequest> request = send();
    if (request->statusCode() == 403) {
        // The session went since the sign-in (another sign-in replaced it, the Web UI restarted).
        setSessionId();
        if (handshakeFailed()) {
            setControlFailure(RemoteControlFailure::SignInRefused);
            return nullptr;
        }
        request = send();
    }
    if (!acceptAnswer(*request))
        return nullptr;
    return request;
}

std::optional<QList<RemoteTorrent>> Qbittorrent::listTorrents(const QString& onlyHash)
{
    const std::unique_ptr<HttpRequest> request =
        control(QStringLiteral("/api/v2/torrents/info") + (onlyHash.isEmpty() ? QString() : QStringLiteral("?hashes=") + onlyHash),
                QString());
    if (!request)
        return std::nullopt;
    const QJsonDocument reply = QJsonDocument::fromJson(request->result().toUtf8());
    if (!reply.isArray()) {
        setControlFailure(RemoteControlFailure::BadAnswer);
        return std::nullopt;
    }
    return RemoteTorrentReader::fromQbittorrent(reply.array());
}

bool Qbittorrent::sendAction(TorrentAction action, const QString& hash)
{
    // The hash is 40 hex digits here: never the API's "all", never a second parameter.
    const QString hashes = QStringLiteral("hashes=") + hash;
    switch (action) {
    case TorrentAction::Pause:
        return control(QStringLiteral("/api/v2/torrents/pause"), hashes) != nullptr;
    case TorrentAction::Resume:
        return control(QStringLiteral("/api/v2/torrents/resume"), hashes) != nullptr;
    case TorrentAction::Remove:
    case TorrentAction::RemoveWithData:
        return control(QStringLiteral("/api/v2/torrents/delete"),
                       hashes + QStringLiteral("&deleteFiles=")
                           + (action == TorrentAction::RemoveWithData ? QStringLiteral("true") : QStringLiteral("false")))
            != nullptr;
    }
    return false;
}
