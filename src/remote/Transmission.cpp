#include "remote/Transmission.h"

#include "remote/RemoteTorrentReader.h"
#include "site/HttpRequest.h"
#include "util/TextUtilities.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const char Transmission::kSessionIdHeader[] = "X-Transmission-Session-Id";

QString Transmission::getDefaultDescription() const
{
    return QStringLiteral(
        "iTarnvale can push torrent downloads to your computer if you are using Transmission BitTorrent client with "
        "remote access enabled.\n\t\n\tSetup:\n\t- Install Transmission on your computer.  \n\t- Select "
        "\"Preferences\" then select the \"Remote\" tab.\n\t- Check the \"Enable remote access\" box.\n\t- Make sure "
        "your computer is online and running Transmission.\n\t- Fill in the fields above with the ip address and port "
        "(Default is 9091) Transmission remote access is using.");
}

QByteArray Transmission::getData() const
{
    return QByteArray("{\"method\":\"torrent-add\",\"arguments\":{\"metainfo\":\"") + base64Encoding(file()).toLatin1()
        + QByteArray("\",\"paused\":false}}");
}

QUrl Transmission::getUrl() const
{
    return urlWithPath(QStringLiteral("/transmission/rpc"));
}

void Transmission::setSessionId()
{
    HttpRequest request(urlWithPath(QStringLiteral("/transmission/rpc")));
    // HttpRequest adds these after its own "text/html", so the probe carries both types.
    request.setExtraHeaders({{QStringLiteral("X-Requested-With"), QStringLiteral("XMLHttpRequest")},
                             {QStringLiteral("Pragma"), QStringLiteral("no-cache")},
                             {QStringLiteral("Cache-Control"), QStringLiteral("no-cache")},
                             {QStringLiteral("Content-Type"), QStringLiteral("; charset=UTF-8json")}});
    request.setUsername(username());
    request.setPassword(password());
    request.request();
    // Transmission answers a request without a valid id with 409 and the id to use.
    storeSessionId(request.headerValue(QString::fromLatin1(kSessionIdHeader)));
}

std::unique_ptr<HttpRequest> Transmission::makeRpcRequest(const QByteArray& body) const
{
    auto request = std::make_unique<HttpRequest>(getUrl());
    request->setType(QStringLiteral("POST"));
    request->setPostData(QString::fromUtf8(body));
    if (!sessionId().isNull())
        request->setExtraHeaders({{QString::fromLatin1(kSessionIdHeader), sessionId()}});
    request->setUsername(username());
    request->setPassword(password());
    return request;
}

bool Transmission::upload()
{
    const std::unique_ptr<HttpRequest> request = sendRpc(getData());
    if (isAccepted(*request))
        return true;
    // The daemon's "result" says why it refused ("invalid or corrupt torrent file").
    const QString result =
        QJsonDocument::fromJson(request->result().toUtf8()).object().value(QLatin1String("result")).toString();
    noteUploadFailure(*request, result == QLatin1String("success") ? QString() : result);
    return false;
}

std::unique_ptr<HttpRequest> Transmission::sendRpc(const QByteArray& body)
{
    std::unique_ptr<HttpRequest> request = makeRpcRequest(body);
    request->request();
    if (request->statusCode() == 409) {
        // The session id ran out between the probe and the call: one more try with the
        // fresh id the 409 carries.
        const QString fresh = request->headerValue(QString::fromLatin1(kSessionIdHeader));
        if (fresh.isEmpty() || fresh == sessionId())
            return request;
        storeSessionId(fresh);
        request = makeRpcRequest(body);
        request->request();
    }
    return request;
}

bool Transmission::isAccepted(const HttpRequest& request) const
{
    if (request.statusCode() != 200)
        return false;
    const QJsonObject reply = QJsonDocument::fromJson(request.result().toUtf8()).object();
    if (reply.value(QLatin1String("result")).toString() != QLatin1String("success"))
        return false;
    // A torrent the daemon already holds is in the client all the same.
    const QJsonObject arguments = reply.value(QLatin1String("arguments")).toObject();
    return arguments.contains(QLatin1String("torrent-added")) || arguments.contains(QLatin1String("torrent-duplicate"));
}

std::optional<QJsonObject> Transmission::call(const QString& method, const QJsonObject& arguments)
{
    const QJsonObject body{{QStringLiteral("method"), method}, {QStringLiteral("arguments"), arguments}};
    const std::unique_ptr<HttpRequest> request = sendRpc(QJsonDocument(body).toJson(QJsonDocument::Compact));
    if (!acceptAnswer(*request))
        return std::nullopt;
    const QJsonDocument reply = QJsonDocument::fromJson(request->result().toUtf8());
    if (!reply.isObject()) {
        setControlFailure(RemoteControlFailure::BadAnswer);
        return std::nullopt;
    }
    const QString result = reply.object().value(QLatin1String("result")).toString();
    if (result != QLatin1String("success")) {
        setControlFailure(RemoteControlFailure::Refused, result);
        return std::nullopt;
    }
    return reply.object().value(QLatin1String("arguments")).toObject();
}

std::optional<QList<RemoteTorrent>> Transmission::listTorrents(const QString& onlyHash)
{
    QJsonObject arguments{{QStringLiteral("fields"), QJsonArray::fromStringList(RemoteTorrentReader::transmissionFields())}};
    if (!onlyHash.isEmpty())
        arguments.insert(QStringLiteral("ids"), QJsonArray{onlyHash});
    const std::optional<QJsonObject> reply = call(QStringLiteral("torrent-get"), arguments);
    if (!reply)
        return std::nullopt;
    return RemoteTorrentReader::fromTransmission(reply->value(QLatin1String("torrents")).toArray());
}

bool Transmission::sendAction(TorrentAction action, const QString& hash)
{
    QJsonObject arguments{{QStringLiteral("ids"), QJsonArray{hash}}};
    QString method;
    switch (action) {
    case TorrentAction::Pause:
        method = QStringLiteral("torrent-stop");
        break;
    case TorrentAction::Resume:
        method = QStringLiteral("torrent-start");
        break;
    case TorrentAction::Remove:
    case TorrentAction::RemoveWithData:
        method = QStringLiteral("torrent-remove");
        arguments.insert(QStringLiteral("delete-local-data"), action == TorrentAction::RemoveWithData);
        break;
    }
    return call(method, arguments).has_value();
}
