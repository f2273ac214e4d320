#include "watch/WatchSender.h"

#include "remote/BitClient.h"
#include "remote/FetchPageDownload.h"
#include "remote/FetchPageRemoteUI.h"
#include "remote/RemoteTorrent.h"
#include "remote/TorrentFileCheck.h"
#include "settings/DownloadHistory.h"
#include "site/HttpRequest.h"
#include "site/SiteHosts.h"

#include <algorithm>

int WatchSender::sendNew(QList<WatchMatch>& matches, WatchState& state, const Options& options)
{
    int sent = 0;
    std::optional<std::optional<QSet<QString>>> held; // asked of the client once, when needed
    for (WatchMatch& match : matches) {
        if (!options.autoSendFilters.contains(match.filter))
            continue;
        if (state.sentOn(options.today) >= options.dailyLimit)
            break;
        const QString key = WatchMatch::key(match.torrent);
        if (state.sent.contains(key) || DownloadHistory::contains(match.torrent.name()))
            continue;
        const QUrl url = SiteHosts::webUrl(match.torrent.downloadUrl());

        // The file first, so that a torrent the client holds already is known by its hash.
        HttpRequest request(url);
        request.request();
        const QByteArray file = request.responseData().value_or(QByteArray());
        if (!request.isResponseValid() || !TorrentFileCheck::isTorrentFile(file))
            continue; // the site did not give it now; the next scan does not offer it again
        if (!held)
            held = clientHashes();
        if (*held) {
            const QStringList hashes = TorrentFileCheck::infoHashes(file);
            if (std::any_of(hashes.cbegin(), hashes.cend(), [&](const QString& hash) { return (*held)->contains(hash); }))
                continue;
        }

        FetchPageDownload download(url, match.torrent.name(), Callback<QString>());
        download.setPresetFile(file);
        download.main();
        if (download.returnObject().isNull())
            continue;
        match.sent = true;
        state.recordSent(key, options.today);
        ++sent;
    }
    return sent;
}

std::optional<QSet<QString>> WatchSender::clientHashes()
{
    const std::unique_ptr<BitClient> client = FetchPageRemoteUI::storedClient();
    if (!client || !client->offersTorrentControl())
        return std::nullopt;
    client->setSessionId();
    const std::optional<QList<RemoteTorrent>> torrents = client->torrents();
    if (!torrents)
        return std::nullopt;
    QSet<QString> hashes;
    for (const RemoteTorrent& torrent : *torrents)
        hashes.insert(torrent.hash.toLower());
    return hashes;
}
