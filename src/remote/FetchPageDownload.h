#pragma once

#include "platform/core/FetchFailure.h"
#include "remote/ServerInfo.h"
#include "site/FetchPageOf.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Fetches a torrent's .torrent file from the site and hands it to the remote client set in
// the remote settings; a torrent handed over is appended to the download history. Delivers
// the torrent's name on success and a null text otherwise, after the failure's alert is on
// screen.
//
// The fetched bytes must be a torrent file: when the site answers its sign-in page while the
// main tabs are shown, the session is renewed as HttpRequest does and the file fetched once
// more; anything that still is not a torrent is never sent to the client.
class FetchPageDownload : public FetchPageOf<QString>
{
public:
    static constexpr int kRandomFileNameBound = 60000;

    FetchPageDownload(const QUrl& url, const QString& name, Callback<QString> callback);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<QString>, Target*, Member>
    FetchPageDownload(const QUrl& url, const QString& name, Target* target, Member selector)
        : FetchPageDownload(url, name, Callback<QString>(target, selector))
    {
    }

    // The name the history records and the operation delivers. A null name (tools that
    // hand over a file without a listing) stands for the torrent's own name.
    QString name() const { return m_name; }

    // For tools: settings used instead of the stored ones (nothing is written), and a file
    // already read (a local .torrent) that is handed over instead of fetching url.
    void setRemoteSettings(const ServerInfo::Settings& settings) { m_settings = settings; }
    void setPresetFile(const QByteArray& file) { m_presetFile = file; }

    void main() override;

    // The file name the upload gives: the last piece of the URL's text after its last "/",
    // or a decimal number below 60000 when that piece is empty.
    static QString fileNameFor(const QUrl& url);

private:
    // The bytes of a torrent file, or nullopt when none could be had.
    // `failure` says why when no answer, or a failing one, came.
    std::optional<QByteArray> fetchTorrentFile(FetchFailure& failure) const;
    // Runs the hand-off; true when the client took the torrent.
    // `reason` says why when the client did not take it.
    bool handOver(const ServerInfo::Settings& settings, const QByteArray& file, QString& reason) const;
    void finish(const QString& result);

    QString m_name;
    std::optional<ServerInfo::Settings> m_settings;
    std::optional<QByteArray> m_presetFile;
};
