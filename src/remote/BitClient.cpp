#include "remote/BitClient.h"

#include "platform/core/CookieStore.h"
#include "remote/Deluge.h"
#include "remote/Qbittorrent.h"
#include "remote/Transmission.h"
#include "remote/Utorrent.h"
#include "remote/Vuze.h"
#include "site/HttpRequest.h"
#include "util/TextUtilities.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

namespace {
// How long a pause may take to hold, and how often its state is read back meanwhile.
constexpr int kPauseWaitMs = 20000;
constexpr int kPausePollMs = 250;
} // namespace

QString BitClient::getClientByIndex(int index)
{
    // Asked in the order of the settings screen's selector.
    const std::unique_ptr<BitClient> adapters[] = {std::make_unique<Vuze>(), std::make_unique<Transmission>(),
                                                   std::make_unique<Utorrent>(), std::make_unique<Qbittorrent>(),
                                                   std::make_unique<Deluge>()};
    for (const auto& adapter : adapters) {
        if (adapter->getIndex() == index)
            return adapter->className();
    }
    return QString(QLatin1String(""));
}

std::unique_ptr<BitClient> BitClient::create(const QString& className)
{
    if (className == QLatin1String("Vuze"))
        return std::make_unique<Vuze>();
    if (className == QLatin1String("Transmission"))
        return std::make_unique<Transmission>();
    if (className == QLatin1String("Utorrent"))
        return std::make_unique<Utorrent>();
    if (className == QLatin1String("Qbittorrent"))
        return std::make_unique<Qbittorrent>();
    if (className == QLatin1String("Deluge"))
        return std::make_unique<Deluge>();
    return nullptr;
}

QByteArray BitClient::getData() const
{
    const QString partHeader = QStringLiteral("%1\r\nContent-Disposition: form-data; name=\"%2\"; filename=\"%3\"\r\n"
                                              "Content-Type: %4\r\n\r\n")
                                   .arg(QLatin1String(kMultipartBoundary), name(), m_filename, fileContentType());
    QByteArray body = prefixData().toUtf8();
    body += partHeader.toUtf8();
    body += m_file;
    body += postfixData().toUtf8();
    return body;
}

QUrl BitClient::urlWithPath(const QString& pathAndQuery) const
{
    return QUrl(QStringLiteral("http://") + m_address + QLatin1Char(':') + m_port + pathAndQuery);
}

QUrl BitClient::getUrl() const
{
    return urlWithPath(QStringLiteral("/"));
}

QUrl BitClient::getWebUrl() const
{
    if (m_username.isEmpty())
        return urlWithPath(webPath());
    // Escaped, so that "@", ":" or "/" in a name or password cannot end the user
    // information early and point the address somewhere else.
    return QUrl(QStringLiteral("http://") + stringWithPercentEscape(m_username) + QLatin1Char(':')
                    + stringWithPercentEscape(m_password) + QLatin1Char('@') + m_address + QLatin1Char(':') + m_port
                    + webPath());
}

std::unique_ptr<HttpRequest> BitClient::makeUploadRequest() const
{
    auto request = std::make_unique<HttpRequest>(getUrl());
    request->setClient(this);
    request->setType(QStringLiteral("POST"));
    request->setUsername(m_username);
    request->setPassword(m_password);
    return request;
}

bool BitClient::upload()
{
    const std::unique_ptr<HttpRequest> request = makeUploadRequest();
    request->request();
    if (isAccepted(*request))
        return true;
    noteUploadFailure(*request);
    return false;
}

bool BitClient::isAccepted(const HttpRequest& request) const
{
    return request.isResponseValid();
}

void BitClient::forgetSessionCookie(const QString& name) const
{
    const QString host = urlWithPath(QStringLiteral("/")).host();
    CookieStore::shared().deleteCookies([&](const Cookie& cookie) {
        QString domain = cookie.domain;
        if (domain.startsWith(QLatin1Char('.')))
            domain = domain.mid(1);
        return cookie.name == name && domain.compare(host, Qt::CaseInsensitive) == 0;
    });
}

bool BitClient::readyForControl()
{
    if (!offersTorrentControl()) {
        setControlFailure(RemoteControlFailure::NotOffered);
        return false;
    }
    if (handshakeFailed()) {
        setControlFailure(RemoteControlFailure::SignInRefused);
        return false;
    }
    return true;
}

std::optional<QList<RemoteTorrent>> BitClient::torrents()
{
    if (!readyForControl())
        return std::nullopt;
    std::optional<QList<RemoteTorrent>> list = listTorrents(QString());
    if (!list)
        return std::nullopt;
    RemoteTorrent::sortByAdded(*list);
    setControlFailure(RemoteControlFailure::None);
    return list;
}

bool BitClient::pauseTorrent(const QString& hash)
{
    return act(TorrentAction::Pause, hash);
}

bool BitClient::resumeTorrent(const QString& hash)
{
    return act(TorrentAction::Resume, hash);
}

bool BitClient::removeTorrent(const QString& hash, bool withData)
{
    return act(withData ? TorrentAction::RemoveWithData : TorrentAction::Remove, hash);
}

bool BitClient::act(TorrentAction action, const QString& text)
{
    if (!readyForControl())
        return false;
    const std::optional<QString> hash = RemoteTorrent::normalHash(text);
    if (!hash) {
        setControlFailure(RemoteControlFailure::UnknownTorrent);
        return false;
    }
    const std::optional<QList<RemoteTorrent>> held = listTorrents(*hash);
    if (!held)
        return false;
    const bool holds = std::any_of(held->begin(), held->end(), [&](const RemoteTorrent& t) { return t.hash == *hash; });
    if (!holds) {
        setControlFailure(RemoteControlFailure::UnknownTorrent);
        return false;
    }
    if (!sendAction(action, *hash))
        return false;
    if (action == TorrentAction::Pause)
        return confirmPaused(*hash);
    setControlFailure(RemoteControlFailure::None);
    return true;
}

bool BitClient::confirmPaused(const QString& hash)
{
    // The client's "done" is not the torrent's state: Transmission takes a stop while it checks
    // the torrent's data and starts the torrent again when the check ends, and the others may
    // show the pause a moment later. So the state is read back; a torrent that is not checking
    // and not paused is asked again, until it holds or the time is up.
    const QDeadlineTimer deadline(kPauseWaitMs);
    for (;;) {
        const std::optional<QList<RemoteTorrent>> held = listTorrents(hash);
        if (!held)
            return false;
        const auto torrent = std::find_if(held->begin(), held->end(), [&](const RemoteTorrent& t) { return t.hash == hash; });
        if (torrent == held->end()) {
            setControlFailure(RemoteControlFailure::UnknownTorrent);
            return false;
        }
        if (torrent->state == RemoteTorrent::State::Paused) {
            setControlFailure(RemoteControlFailure::None);
            return true;
        }
        if (deadline.hasExpired()) {
            setControlFailure(RemoteControlFailure::NotPaused,
                              QStringLiteral("(it is %1)").arg(RemoteTorrent::stateName(torrent->state)));
            return false;
        }
        QThread::msleep(kPausePollMs);
        if (torrent->state != RemoteTorrent::State::Checking && !sendAction(TorrentAction::Pause, hash))
            return false;
    }
}

std::optional<QList<RemoteTorrent>> BitClient::listTorrents(const QString&)
{
    setControlFailure(RemoteControlFailure::NotOffered);
    return std::nullopt;
}

bool BitClient::sendAction(TorrentAction, const QString&)
{
    setControlFailure(RemoteControlFailure::NotOffered);
    return false;
}

void BitClient::setControlFailure(RemoteControlFailure failure, const QString& detail)
{
    m_controlFailure = failure;
    m_controlDetail = detail.trimmed();
    m_unreachableText.clear();
}

QString BitClient::controlFailureText() const
{
    if (m_controlFailure == RemoteControlFailure::Unreachable && !m_unreachableText.isEmpty())
        return m_unreachableText;
    const QString text = RemoteControlFailureText::text(m_controlFailure);
    if (m_controlDetail.isEmpty() || text.isEmpty())
        return text;
    return text + QLatin1Char(' ') + m_controlDetail;
}

bool BitClient::acceptAnswer(const HttpRequest& request)
{
    const int statusCode = request.statusCode();
    if (statusCode == 200)
        return true;
    if (statusCode == 0) {
        setUnreachable(request.failure());
    } else if (statusCode == 401 || statusCode == 403) {
        setControlFailure(RemoteControlFailure::SignInRefused);
    } else {
        setControlFailure(RemoteControlFailure::Refused, QStringLiteral("(HTTP status %1)").arg(statusCode));
    }
    return false;
}

void BitClient::setUnreachable(const FetchFailure& failure)
{
    // Said as the exchange failed: nothing listening at the address and port the user typed, a
    // host not found, no answer in so many seconds.
    setControlFailure(RemoteControlFailure::Unreachable);
    if (failure.isFailure())
        m_unreachableText = failure.text(FetchFailure::Far::Client);
}

void BitClient::noteUploadFailure(const HttpRequest& request, const QString& reason)
{
    const int status = request.statusCode();
    if (status != 200 && (status == 0 || status == 401 || status == 403)) {
        acceptAnswer(request);
        return;
    }
    // The client answered, and did not take it (qBittorrent answers 415 to a file that is no
    // torrent). A reason too long to read is a page, not the client's words.
    const QString words = reason.trimmed();
    if (!words.isEmpty() && words.size() <= 120)
        setControlFailure(RemoteControlFailure::TorrentRefused, QStringLiteral("(%1)").arg(words));
    else if (status != 200)
        setControlFailure(RemoteControlFailure::TorrentRefused, QStringLiteral("(HTTP status %1)").arg(status));
    else
        setControlFailure(RemoteControlFailure::TorrentRefused);
}

QString BitClient::uploadFailureText() const
{
    if (m_controlFailure != RemoteControlFailure::None)
        return controlFailureText();
    if (handshakeFailed())
        return RemoteControlFailureText::text(RemoteControlFailure::SignInRefused);
    return RemoteControlFailureText::text(RemoteControlFailure::TorrentRefused);
}

QString BitClient::answerFailureText(const HttpRequest& request)
{
    if (handshakeFailed())
        return RemoteControlFailureText::text(RemoteControlFailure::SignInRefused);
    setControlFailure(RemoteControlFailure::None);
    acceptAnswer(request);
    return controlFailureText();
}
