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
    HeldHashes held;
    const auto capped = [&] { return state.sentOn(options.today) >= options.dailyLimit; };

    state.expirePending(options.today);
    const QList<WatchState::Pending> waiting = state.pending;
    for (const WatchState::Pending& entry : waiting) {
        if (capped())
            return sent;
        const QString key = WatchMatch::key(entry.match.torrent);
        if (!options.autoSendFilters.contains(entry.match.filter)) {
            state.forgetPending(key); // its filter no longer sends
            continue;
        }
        const Result result = send(entry.match, state, options, held);
        if (result == Result::Sent)
            ++sent;
        else if (result == Result::NotNeeded)
            state.forgetPending(key);
    }
    for (WatchMatch& match : matches) {
        if (!options.autoSendFilters.contains(match.filter))
            continue;
        if (capped())
            break;
        const Result result = send(match, state, options, held);
        if (result == Result::Sent) {
            match.sent = true;
            ++sent;
        } else if (result == Result::Failed) {
            state.recordFailed(match, options.today);
        }
    }
    return sent;
}

WatchSender::Result WatchSender::send(const WatchMatch& match, WatchState& state, const Options& options,
                                      HeldHashes& held)
{
    const QString key = WatchMatch::key(match.torrent);
    if (state.sent.contains(key) || DownloadHistory::contains(match.torrent.name()))
        return Result::NotNeeded;
    const QUrl url = SiteHosts::webUrl(match.torrent.downloadUrl());

    // The file first, so that a torrent the client holds already is known by its hash.
    HttpRequest request(url);
    request.request();
    const QByteArray file = request.responseData().value_or(QByteArray());
    if (!request.isResponseValid() || !TorrentFileCheck::isTorrentFile(file))
        return Result::Failed; // the site did not give it now
    if (!held)
        held = clientHashes();
    if (*held) {
        const QStringList hashes = TorrentFileCheck::infoHashes(file);
        if (std::any_of(hashes.cbegin(), hashes.cend(), [&](const QString& hash) { return (*held)->contains(hash); }))
            return Result::NotNeeded;
    }

    FetchPageDownload download(url, match.torrent.name(), Callback<QString>());
    download.setPresetFile(file);
    download.main();
    if (download.returnObject().isNull())
        return Result::Failed;
    state.recordSent(key, options.today);
    return Result::Sent;
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
