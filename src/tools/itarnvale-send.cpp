// Hands one torrent to the remote BitTorrent client through the same adapters and rules as
// the application, for scripts and for checking a client setup. Prints one line: "sent", or
// the alert's title and message.
//
//   itarnvale-send URL-or-FILE [--client Vuze|Transmission|Utorrent|Qbittorrent|Deluge
//                  --address A --port P --user U --password W] [--name NAME]
//                  [--settings FILE] [--cookies FILE] [--ca-file FILE]
//
// Without client options the stored remote settings are used; options given replace the
// stored values for this run only; the client's name may be written in any case. A URL is
// fetched with the application's cookie store.
// Exit status: 0 handed over, 1 refused or failed, 2 bad arguments.

#include "platform/core/CookieStore.h"
#include "platform/core/MainThread.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "platform/keychain/KeychainSecretStore.h"
#include "remote/AlertPresenter.h"
#include "remote/ClientCommandLine.h"
#include "remote/FetchPageDownload.h"
#include "remote/ServerInfo.h"
#include "settings/SecretSettings.h"
#include "site/SiteHosts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QObject>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr int kSent = 0;
constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: itarnvale-send URL-or-FILE [--client Vuze|Transmission|Utorrent|Qbittorrent|Deluge\n"
    "                      --address A --port P --user U --password W] [--name NAME]\n"
    "                      [--settings FILE] [--cookies FILE] [--ca-file FILE]\n";

// Keeps the alert the hand-off shows, for the one line of outcome.
class LineAlertPresenter : public AlertPresenter
{
public:
    void showAlert(const QString& title, const QString& message, const QString&) override
    {
        line = message.isEmpty() ? title : title + QLatin1Char(' ') + message;
    }
    QString line;
};

int badArguments(const QString& why)
{
    std::fprintf(stderr, "itarnvale-send: %s\n%s", qPrintable(why), kUsage);
    return kBadArguments;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const QString hostError = SiteHosts::applyArguments(arguments);
    if (!hostError.isEmpty())
        return badArguments(hostError);

    const ClientCommandLine line(arguments, {QStringLiteral("--name")});
    if (!line.error().isEmpty())
        return badArguments(line.error());
    const QStringList positional = line.positional();
    if (positional.size() != 1)
        return badArguments(QStringLiteral("give one URL or file"));
    const auto option = [&line](const char* name) { return line.option(QLatin1String(name)); };
    line.useStores();

    // A URL is fetched from the site; anything else is a local .torrent file.
    const QString source = positional.first();
    const QUrl url(source, QUrl::StrictMode);
    const bool isUrl = url.isValid()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    std::optional<QByteArray> localFile;
    if (!isUrl) {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return badArguments(QStringLiteral("cannot read %1: %2").arg(source, file.errorString()));
        localFile = file.readAll();
    }

    // The application keeps the stored password in the desktop's keychain when one runs.
    if (!option("--password")) {
        SecretSettings& secrets = SecretSettings::shared();
        secrets.start(std::make_unique<KeychainSecretStore>(secrets.keychainService(!option("--settings"))));
        secrets.waitUntilLoaded(std::chrono::seconds(2));
    }
    const ServerInfo::Settings settings = line.settingsOver(ServerInfo::sharedInstance().settings());

    LineAlertPresenter alerts;
    AlertPresenter::setInstance(&alerts);

    QObject receiver;
    std::optional<QString> result;
    auto download = std::make_unique<FetchPageDownload>(
        isUrl ? url : QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath()), option("--name").value_or(QString()),
        Callback<QString>(&receiver, [&result](QString name) {
            result = name;
            QCoreApplication::quit();
        }));
    download->setRemoteSettings(settings);
    if (localFile)
        download->setPresetFile(*localFile);
    OperationQueue queue;
    queue.addOperation(std::move(download));
    application.exec();
    AlertPresenter::setInstance(nullptr);
    CookieStore::shared().persist();

    if (result && !result->isNull()) {
        std::printf("sent\n");
        return kSent;
    }
    std::printf("%s\n", qPrintable(alerts.line.isEmpty() ? QStringLiteral("not sent") : alerts.line));
    return kFailed;
}
