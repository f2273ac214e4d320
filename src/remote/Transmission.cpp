#include "remote/Transmission.h"

#include "site/HttpRequest.h"
#include "util/TextUtilities.h"

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

std::unique_ptr<HttpRequest> Transmission::makeRpcRequest() const
{
    auto request = std::make_unique<HttpRequest>(getUrl());
    request->setType(QStringLiteral("POST"));
    request->setPostData(QString::fromLatin1(getData()));
    if (!sessionId().isNull())
        request->setExtraHeaders({{QString::fromLatin1(kSessionIdHeader), sessionId()}});
    request->setUsername(username());
    request->setPassword(password());
    return request;
}

bool Transmission::upload()
{
    std::unique_ptr<HttpRequest> request = makeRpcRequest();
    request->request();
    if (request->statusCode() == 409) {
        // The session id ran out between the probe and the call: one more try with the
        // fresh id the 409 carries.
        const QString fresh = request->headerValue(QString::fromLatin1(kSessionIdHeader));
        if (fresh.isEmpty() || fresh == sessionId())
            return false;
        storeSessionId(fresh);
        request = makeRpcRequest();
        request->request();
    }
    return isAccepted(*request);
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
