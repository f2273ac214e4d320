// Lists the remote BitTorrent client's torrents, and pauses, resumes or removes one, through
// the same adapters and settings as the application.
//
//   itarnvale-remote list | pause HASH | resume HASH | remove HASH [--with-data]
//                    [--client Transmission|Qbittorrent|Deluge --address A --port P
//                     --user U --password W] [--settings FILE] [--cookies FILE]
//
// "list" prints one JSON object a line, newest first: hash (40 lower-case hex digits), name,
// progress (0 to 1), state (downloading, seeding, paused, checking, queued, stalled, error),
// down and up (bytes per second) and size (bytes). The others print "paused", "resumed" or
// "removed". Without client options the stored remote settings are used; options given
// replace the stored values for this run only. A failure prints its reason on stderr.
// Exit status: 0 done, 1 refused or not reached, 2 bad arguments.

#include "platform/core/CookieStore.h"
#include "platform/keychain/KeychainSecretStore.h"
#include "remote/BitClient.h"
#include "remote/ClientCommandLine.h"
#include "settings/SecretSettings.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: itarnvale-remote list | pause HASH | resume HASH | remove HASH [--with-data]\n"
    "                        [--client Transmission|Qbittorrent|Deluge --address A --port P\n"
    "                         --user U --password W] [--settings FILE] [--cookies FILE]\n";

int badArguments(const QString& why)
{
    std::fprintf(stderr, "itarnvale-remote: %s\n%s", qPrintable(why), kUsage);
    return kBadArguments;
}

int failed(const QString& why)
{
    std::fprintf(stderr, "itarnvale-remote: %s\n", qPrintable(why));
    return kFailed;
}

QByteArray jsonLine(const RemoteTorrent& torrent)
{
    const QJsonObject object{{QStringLiteral("hash"), torrent.hash},
                             {QStringLiteral("name"), torrent.name},
                             {QStringLiteral("progress"), torrent.progress},
                             {QStringLiteral("state"), RemoteTorrent::stateName(torrent.state)},
                             {QStringLiteral("down"), torrent.down},
                             {QStringLiteral("up"), torrent.up},
                             {QStringLiteral("size"), torrent.size}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString withData = QStringLiteral("--with-data");
    const ClientCommandLine line(application.arguments().mid(1), {}, {withData});
    if (!line.error().isEmpty())
        return badArguments(line.error());
    const QStringList words = line.positional();
    const QString command = words.value(0);
    const bool list = command == QLatin1String("list");
    const bool remove = command == QLatin1String("remove");
    if (!list && !remove && command != QLatin1String("pause") && command != QLatin1String("resume"))
        return badArguments(command.isEmpty() ? QStringLiteral("give a command") : QStringLiteral("unknown command %1").arg(command));
    if (words.size() != (list ? 1 : 2))
        return badArguments(list ? QStringLiteral("list takes no hash") : QStringLiteral("%1 takes one hash").arg(command));
    if (line.flag(withData) && !remove)
        return badArguments(QStringLiteral("--with-data goes with remove"));
    const QString hash = words.value(1);
    if (!list && !RemoteTorrent::normalHash(hash))
        return badArguments(QStringLiteral("%1 is not a torrent's hash (40 hex digits)").arg(hash));
    line.useStores();

    // The application keeps the stored password in the desktop's keychain when one runs.
    if (!line.option(QStringLiteral("--password"))) {
        SecretSettings& secrets = SecretSettings::shared();
        secrets.start(std::make_unique<KeychainSecretStore>(secrets.keychainService(!line.option(QStringLiteral("--settings")))));
        secrets.waitUntilLoaded(std::chrono::seconds(2));
    }
    const ServerInfo::Settings settings = line.settingsOver(ServerInfo::sharedInstance().settings());
    const std::unique_ptr<BitClient> client = BitClient::create(settings.client);
    if (!client)
        return failed(QStringLiteral("No remote client is set: choose one in Remote Settings or with --client."));
    client->setAddress(settings.address);
    client->setPort(settings.port);
    client->setUsername(settings.username);
    client->setPassword(settings.password);

    int status = kDone;
    if (!client->offersTorrentControl()) {
        status = failed(client->className() + QStringLiteral(": ") + RemoteControlFailureText::text(RemoteControlFailure::NotOffered));
    } else {
        client->setSessionId();
        if (list) {
            const std::optional<QList<RemoteTorrent>> torrents = client->torrents();
            if (!torrents)
                status = failed(client->controlFailureText());
            for (const RemoteTorrent& torrent : torrents.value_or(QList<RemoteTorrent>()))
                std::printf("%s\n", jsonLine(torrent).constData());
        } else {
            bool done = false;
            if (command == QLatin1String("pause"))
                done = client->pauseTorrent(hash);
            else if (command == QLatin1String("resume"))
                done = client->resumeTorrent(hash);
            else
                done = client->removeTorrent(hash, line.flag(withData));
            if (done)
                std::printf("%s\n", remove ? "removed" : command == QLatin1String("pause") ? "paused" : "resumed");
            else
                status = failed(client->controlFailureText());
        }
    }
    CookieStore::shared().persist();
    return status;
}
