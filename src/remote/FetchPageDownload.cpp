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

    const std::optional<QByteArray> file = m_presetFile ? m_presetFile : fetchTorrentFile();
    if (!file || !TorrentFileCheck::isTorrentFile(*file)) {
        AlertPresenter::present(RemoteTexts::websiteProblemTitle, RemoteTexts::badDownloadUrl, RemoteTexts::okButton);
        finish(QString());
        return;
    }
    if (!handOver(settings, *file)) {
        AlertPresenter::present(RemoteTexts::connectionFailedTitle, RemoteTexts::connectionFailedMessage,
                                RemoteTexts::okButton);
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

std::optional<QByteArray> FetchPageDownload::fetchTorrentFile() const
{
    // A plain read with the shared cookies, so the site session goes along.
    SessionKeeper* keeper = SessionKeeper::instance();
    const quint64 epoch = keeper ? keeper->validationEpoch() : 0;
    std::optional<QByteArray> bytes = UrlLoader::contentsOfUrl(url(), 0, UrlLoader::kMaxTorrentBytes);
    if (!bytes || TorrentFileCheck::isTorrentFile(*bytes))
        return bytes;

    // The site answers its sign-in page when the session has ended. While the main tabs
    // are shown, renew the session the way HttpRequest does and ask once more.
    if (!keeper || !keeper->showLogin() || SiteHosts::isLoginUrl(url().toString())
        || !SiteHosts::isLoginHeader(QString::fromUtf8(*bytes)))
        return bytes;
    if (!keeper->renewSessionSince(epoch))
        return std::nullopt; // the application is quitting
    return UrlLoader::contentsOfUrl(url(), 0, UrlLoader::kMaxTorrentBytes);
}

bool FetchPageDownload::handOver(const ServerInfo::Settings& settings, const QByteArray& file) const
{
    // No client chosen: nothing to send to, reported like a failed upload.
    const std::unique_ptr<BitClient> client = BitClient::create(settings.client);
    if (!client)
        return false;
    client->setAddress(settings.address);
    client->setPort(settings.port);
    client->setUsername(settings.username);
    client->setPassword(settings.password);
    client->setFilename(fileNameFor(url()));
    client->setFile(file);
    client->setSessionId();
    return client->upload();
}

void FetchPageDownload::finish(const QString& result)
{
    setReturnObject(result);
    FetchPageOf<QString>::main();
}
