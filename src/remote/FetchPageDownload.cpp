#include "remote/FetchPageDownload.h"

#include "platform/core/UrlLoader.h"
#include "remote/AlertPresenter.h"
#include "remote/BitClient.h"
#include "remote/RemoteTexts.h"
#include "remote/TorrentFileCheck.h"
#include "settings/DownloadHistory.h"
#include "site/SessionKeeper.h"
#include "site/SiteHosts.h"

#include <QRandomGenerator>

FetchPageDownload::FetchPageDownload(const QUrl& url, const QString& name, Callback<QString> callback)
    : FetchPageOf<QString>(url, std::move(callback))
    , m_name(name)
{
}

QString FetchPageDownload::fileNameFor(const QUrl& url)
{
    const QString piece = url.toString().split(QLatin1Char('/')).last();
    if (!piece.isEmpty())
        return piece;
    return QString::number(QRandomGenerator::global()->bounded(kRandomFileNameBound));
}

void FetchPageDownload::main()
{
    const ServerInfo::Settings settings = m_settings ? *m_settings : ServerInfo::sharedInstance().settings();

    FetchFailure fetchFailure;
    const std::optional<QByteArray> file = m_presetFile ? m_presetFile : fetchTorrentFile(fetchFailure);
    if (!file || !TorrentFileCheck::isTorrentFile(*file)) {
        // The title stays; the message says what the site did.
        AlertPresenter::present(RemoteTexts::websiteProblemTitle,
                                fetchFailure.isFailure() ? fetchFailure.text() : RemoteTexts::notTorrentFile,
                                RemoteTexts::okButton);
        finish(QString());
        return;
    }
    QString reason;
    if (!handOver(settings, *file, reason)) {
        AlertPresenter::present(RemoteTexts::connectionFailedTitle, reason, RemoteTexts::okButton);
        finish(QString());
        return;
    }
    QString name = m_name;
    if (name.isNull()) {
        name = TorrentFileCheck::infoName(*file);
        if (name.isEmpty())
            name = fileNameFor(url());
    }
    if (!DownloadHistory::append(name)) {
        AlertPresenter::present(RemoteTexts::historyNotSavedTitle, RemoteTexts::historyNotSavedMessage,
                                RemoteTexts::okButton);
    }
    finish(name);
}

namespace {

// A plain read with the shared cookies, so the site session goes along: the body of a valid
// answer (200 to 299); nullopt, with the reason, otherwise.
std::optional<QByteArray> readTorrent(const QUrl& url, FetchFailure& failure)
{
    UrlRequest request;
    request.url = url;
    request.maxBodyBytes = UrlLoader::kMaxTorrentBytes;
    const std::optional<UrlResponse> response = UrlLoader::send(request, &failure);
    if (!response)
        return std::nullopt;
    if (response->statusCode < 200 || response->statusCode > 299) {
        failure = FetchFailure::httpStatus(response->statusCode, url.host());
        return std::nullopt;
    }
    return response->body;
}

} // namespace

std::optional<QByteArray> FetchPageDownload::fetchTorrentFile(FetchFailure& failure) const
{
    SessionKeeper* keeper = SessionKeeper::instance();
    const quint64 epoch = keeper ? keeper->validationEpoch() : 0;
    std::optional<QByteArray> bytes = readTorrent(url(), failure);
    if (!bytes || TorrentFileCheck::isTorrentFile(*bytes))
        return bytes;

    // The site answers its sign-in page when the session has ended. While the main tabs
    // are shown, renew the session the way HttpRequest does and ask once more.
    if (!keeper || !keeper->showLogin() || SiteHosts::isLoginUrl(url().toString())
        || !SiteHosts::isLoginHeader(QString::fromUtf8(*bytes)))
        return bytes;
    if (!keeper->renewSessionSince(epoch))
        return std::nullopt; // the application is quitting
    bytes = readTorrent(url(), failure);
    if (bytes && !TorrentFileCheck::isTorrentFile(*bytes) && SiteHosts::isLoginHeader(QString::fromUtf8(*bytes)))
        failure.kind = FetchFailure::Kind::SignIn; // the renewal did not bring the session back
    return bytes;
}

bool FetchPageDownload::handOver(const ServerInfo::Settings& settings, const QByteArray& file, QString& reason) const
{
    // No client chosen: nothing to send to, reported like a failed upload.
    const std::unique_ptr<BitClient> client = BitClient::create(settings.client);
    if (!client) {
        reason = RemoteControlFailureText::text(RemoteControlFailure::NoClient);
        return false;
    }
    client->setAddress(settings.address);
    client->setPort(settings.port);
    client->setUsername(settings.username);
    client->setPassword(settings.password);
    client->setFilename(fileNameFor(url()));
    client->setFile(file);
    client->setSessionId();
    if (client->upload())
        return true;
    reason = client->uploadFailureText();
    return false;
}

void FetchPageDownload::finish(const QString& result)
{
    setReturnObject(result);
    FetchPageOf<QString>::main();
}
