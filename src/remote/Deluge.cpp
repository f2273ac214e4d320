#include "remote/Deluge.h"

#include "platform/core/UrlLoader.h"
#include "remote/RemoteTorrentReader.h"
#include "remote/TorrentFileCheck.h"
#include "util/TextUtilities.h"

#include <QJsonDocument>

namespace {
const QLatin1String kResult("result");
const QLatin1String kError("error");

// An answer that carries a result and no error.
bool succeeded(const std::optional<QJsonObject>& reply)
{
    return reply && reply->value(kError).isNull() && reply->contains(kResult);
}
} // namespace

QString Deluge::getDefaultDescription() const
{
    return QStringLiteral(
        "iTarnvale can push torrent downloads to your computer if you are using the Deluge BitTorrent client with "
        "its Web UI.\n\t\n\tSetup:\n\t- Install Deluge on your computer (without a desktop: deluged and "
        "deluge-web).  \n\t- Start the Web UI, sign in to it once and connect it to your Deluge.\n\t- Make sure your "
        "computer is online and running Deluge and its Web UI.\n\t- Fill in the fields above with the ip address "
        "and port (Default is 8112) of the Web UI and its password; the Web UI has no user name, leave it empty.");
}

QUrl Deluge::getUrl() const
{
    return urlWithPath(QStringLiteral("/json"));
}

QByteArray Deluge::getData() const
{
    const QJsonObject request{
        {QStringLiteral("method"), QStringLiteral("core.add_torrent_file")},
        {QStringLiteral("params"), QJsonArray{filename(), base64Encoding(file()), QJsonObject()}},
        {QStringLiteral("id"), 1}};
    return QJsonDocument(request).toJson(QJsonDocument::Compact);
}

std::optional<QJsonObject> Deluge::call(const QString& method, const QJsonArray& params) const
{
    const QJsonObject request{{QStringLiteral("method"), method}, {QStringLiteral("params"), params},
                              {QStringLiteral("id"), 1}};
    return post(QJsonDocument(request).toJson(QJsonDocument::Compact));
}

std::optional<QJsonObject> Deluge::post(const QByteArray& body) const
{
    // Sent as it is rather than through HttpRequest, whose own form type would go along: the
    // Web UI takes nothing but "application/json".
    UrlRequest request;
    request.url = getUrl();
    request.method = "POST";
    request.headers = {{"Content-Type", "application/json"}, {"Accept", "application/json"}};
    if (!username().isEmpty())
        request.headers.append(
            {"Authorization", "Basic " + base64Encoding((username() + QLatin1Char(':') + password()).toUtf8()).toLatin1()});
    request.body = body;
    m_exchangeFailure = FetchFailure();
    const std::optional<UrlResponse> response = UrlLoader::send(request, &m_exchangeFailure);
    if (!response)
        return std::nullopt;
    if (response->statusCode != 200) {
        m_exchangeFailure = FetchFailure::httpStatus(response->statusCode, request.url.host());
        return std::nullopt;
    }
    const QJsonDocument reply = QJsonDocument::fromJson(response->body);
    if (!reply.isObject())
        return std::nullopt;
    return reply.object();
}

void Deluge::setSessionId()
{
    const std::optional<QJsonObject> login = call(QStringLiteral("auth.login"), QJsonArray{password()});
    if (!login) {
        // Nothing (or no Web UI) answered: the upload that follows fails on its own.
        setHandshakeFailed(false);
        return;
    }
    if (!(succeeded(login) && login->value(kResult).toBool())) {
        // Refused: a session of an earlier password does not sign anything in any more.
        forgetSessionCookie(QStringLiteral("_session_id"));
        setHandshakeFailed(true);
        return;
    }
    setHandshakeFailed(!connectDaemon());
}

bool Deluge::connectDaemon() const
{
    const auto connected = [this] {
        const std::optional<QJsonObject> reply = call(QStringLiteral("web.connected"), QJsonArray());
        return succeeded(reply) && reply->value(kResult).toBool();
    };
    if (connected())
        return true;
    // The default daemon first, as the Web UI itself would, then the others in their order.
    QStringList ids;
    const std::optional<QJsonObject> config = call(QStringLiteral("web.get_config"), QJsonArray());
    const QString preferred = succeeded(config)
        ? config->value(kResult).toObject().value(QLatin1String("default_daemon")).toString()
        : QString();
    if (!preferred.isEmpty())
        ids.append(preferred);
    const std::optional<QJsonObject> hosts = call(QStringLiteral("web.get_hosts"), QJsonArray());
    if (succeeded(hosts)) {
        for (const QJsonValue& host : hosts->value(kResult).toArray()) {
            const QString id = host.toArray().at(0).toString();
            if (!id.isEmpty() && !ids.contains(id))
                ids.append(id);
        }
    }
    for (const QString& id : std::as_const(ids)) {
        // A connection that worked answers the daemon's methods.
        const std::optional<QJsonObject> reply = call(QStringLiteral("web.connect"), QJsonArray{id});
        if (succeeded(reply) && reply->value(kResult).isArray() && connected())
            return true;
    }
    return false;
}

bool Deluge::upload()
{
    if (handshakeFailed())
        return false;
    const std::optional<QJsonObject> reply = post(getData());
    if (!reply) {
        noteExchangeFailure();
        return false;
    }
    if (succeeded(reply)) {
        const QJsonValue result = reply->value(kResult);
        if ((result.isString() && !result.toString().isEmpty()) || result.toBool())
            return true;
    }
    if (holdsTorrent())
        return true;
    // The Web UI's error says why, when it says anything.
    const QString why = reply->value(kError).toObject().value(QLatin1String("message")).toString().trimmed();
    setControlFailure(RemoteControlFailure::TorrentRefused, why.isEmpty() ? QString() : QStringLiteral("(%1)").arg(why));
    return false;
}

void Deluge::noteExchangeFailure()
{
    const FetchFailure failure = m_exchangeFailure;
    if (failure.kind == FetchFailure::Kind::Status && (failure.status == 401 || failure.status == 403))
        setControlFailure(RemoteControlFailure::SignInRefused);
    else if (failure.kind == FetchFailure::Kind::Status)
        setControlFailure(RemoteControlFailure::Refused, QStringLiteral("(HTTP status %1)").arg(failure.status));
    else if (failure.isFailure())
        setUnreachable(failure);
    else
        setControlFailure(RemoteControlFailure::BadAnswer);
}

bool Deluge::holdsTorrent() const
{
    const QStringList hashes = TorrentFileCheck::infoHashes(file());
    if (hashes.isEmpty())
        return false;
    const QJsonObject filter{{QStringLiteral("id"), QJsonArray::fromStringList(hashes)}};
    const std::optional<QJsonObject> reply =
        call(QStringLiteral("core.get_torrents_status"), QJsonArray{filter, QJsonArray{QStringLiteral("name")}});
    return succeeded(reply) && !reply->value(kResult).toObject().isEmpty();
}

std::optional<QJsonValue> Deluge::control(const QString& method, const QJsonArray& params)
{
    const std::optional<QJsonObject> reply = call(method, params);
    if (!reply) {
        noteExchangeFailure();
        return std::nullopt;
    }
    if (!succeeded(reply)) {
        const QJsonObject error = reply->value(kError).toObject();
        // The Web UI's code 1: the session is not signed in.
        if (error.value(QLatin1String("code")).toInt() == 1)
            setControlFailure(RemoteControlFailure::SignInRefused);
        else
            setControlFailure(RemoteControlFailure::Refused, error.value(QLatin1String("message")).toString());
        return std::nullopt;
    }
    return reply->value(kResult);
}

std::optional<QList<RemoteTorrent>> Deluge::listTorrents(const QString& onlyHash)
{
    QJsonObject filter;
    if (!onlyHash.isEmpty())
        filter.insert(QStringLiteral("id"), QJsonArray{onlyHash});
    const std::optional<QJsonValue> result = control(
        QStringLiteral("core.get_torrents_status"), QJsonArray{filter, QJsonArray::fromStringList(RemoteTorrentReader::delugeKeys())});
    if (!result)
        return std::nullopt;
    if (!result->isObject()) {
        setControlFailure(RemoteControlFailure::BadAnswer);
        return std::nullopt;
    }
    return RemoteTorrentReader::fromDeluge(result->toObject());
}

bool Deluge::sendAction(TorrentAction action, const QString& hash)
{
    // The calls for one torrent only: the plural ones act on every torrent when given none.
    switch (action) {
    case TorrentAction::Pause:
        return control(QStringLiteral("core.pause_torrent"), QJsonArray{hash}).has_value();
    case TorrentAction::Resume:
        return control(QStringLiteral("core.resume_torrent"), QJsonArray{hash}).has_value();
    case TorrentAction::Remove:
    case TorrentAction::RemoveWithData: {
        const std::optional<QJsonValue> removed =
            control(QStringLiteral("core.remove_torrent"), QJsonArray{hash, action == TorrentAction::RemoveWithData});
        if (removed && !removed->toBool()) {
            setControlFailure(RemoteControlFailure::Refused);
            return false;
        }
        return removed.has_value();
    }
    }
    return false;
}
