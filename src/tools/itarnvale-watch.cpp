// Runs one round of the favourites watch with the stored settings and account, for a timer:
// reads the site's recent list until it meets torrents an earlier round met, prints each
// torrent new to a favourite filter, one a line ("name<TAB>details address"; with --json one
// JSON object a line), and with --send hands those of the filters marked for sending to the
// remote client. The first round of a filter only notes what is there.
//
//   itarnvale-watch [--once] [--json] [--send] [--settings FILE] [--cookies FILE]
//                   [--web-host H] [--secure-web-host H] [--forum-host H] [--captcha-host H]
//                   [--ca-file FILE]
//
// Signs in with the stored account when the site asks, once a round at most.
// Exit status: 0 after a round (with or without news), 1 when the site could not be read
// (the reason on standard error), 2 for a wrong command line.

#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/keychain/KeychainSecretStore.h"
#include "remote/ClientCommandLine.h"
#include "settings/SecretSettings.h"
#include "settings/Settings.h"
#include "site/SiteHosts.h"
#include "watch/WatchRun.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kScanned = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: itarnvale-watch [--once] [--json] [--send] [--settings FILE] [--cookies FILE]\n"
    "                       [--web-host H] [--secure-web-host H] [--forum-host H] [--captcha-host H]\n"
    "                       [--ca-file FILE]\n";

int badArguments(const QString& why)
{
    std::fprintf(stderr, "itarnvale-watch: %s\n%s", qPrintable(why), kUsage);
    return kBadArguments;
}

QString absolute(const QString& link)
{
    return link.isEmpty() ? link : SiteHosts::webUrl(link).toString();
}

QByteArray jsonLine(const WatchMatch& match)
{
    const Torrent& t = match.torrent;
    const QJsonObject object{
        {QStringLiteral("name"), t.name()},
        {QStringLiteral("size"), t.size()},
        {QStringLiteral("seeders"), t.up()},
        {QStringLiteral("leechers"), t.down()},
        {QStringLiteral("details"), absolute(t.detailsUrl())},
        {QStringLiteral("download"), absolute(t.downloadUrl())},
        {QStringLiteral("filter"), match.filter},
        {QStringLiteral("sent"), match.sent},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const QString hostError = SiteHosts::applyArguments(arguments);
    if (!hostError.isEmpty())
        return badArguments(hostError);
    const ClientCommandLine line(arguments, {}, {QStringLiteral("--once"), QStringLiteral("--json"), QStringLiteral("--send")});
    if (!line.error().isEmpty())
        return badArguments(line.error());
    if (!line.positional().isEmpty())
        return badArguments(QStringLiteral("unexpected %1").arg(line.positional().first()));
    line.useStores();

    // The application keeps the stored passwords in the desktop's keychain when one runs.
    SecretSettings& secrets = SecretSettings::shared();
    secrets.start(std::make_unique<KeychainSecretStore>(secrets.keychainService(!line.option(QStringLiteral("--settings")))));
    secrets.waitUntilLoaded(std::chrono::seconds(2));

    const WatchRun::Outcome outcome = WatchRun::scanOnce(Settings::username(), Settings::password(), line.flag(QStringLiteral("--send")));
    CookieStore::shared().persist();
    if (outcome.failed) {
        const QString reason = outcome.failure.text();
        std::fprintf(stderr, "itarnvale-watch: %s\n",
                     qPrintable(reason.isEmpty() ? QStringLiteral("The site's page could not be read.") : reason));
        return kFailed;
    }
    for (const WatchMatch& match : outcome.matches) {
        if (line.flag(QStringLiteral("--json")))
            std::printf("%s\n", jsonLine(match).constData());
        else
            std::printf("%s\t%s\n", qPrintable(match.torrent.name()), qPrintable(absolute(match.torrent.detailsUrl())));
    }
    if (!outcome.saved)
        std::fprintf(stderr, "itarnvale-watch: %s\n", qPrintable(outcome.saved.message()));
    std::fflush(stdout);
    return kScanned;
}
