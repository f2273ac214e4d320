// itarnvale [--demo [--demo-latency MS[,MS...]]] [--device phone|phone-568|tablet] [host options]:
// the application. With --demo it runs on the demo site, served in this process on loopback,
// with settings and cookies of its own and a remote client to send torrents to;
// --demo-latency makes the demo answer its listing pages that many milliseconds late;
// --demo-client transmission|qbittorrent|deluge picks the client whose private daemon the
// demo sends its torrents to (Transmission by default);
// --trace-startup prints when the first torrent rows were painted.
#include "DemoRemoteClient.h"
#include "DemoSite.h"

#include "app/StartupTrace.h"
#include "app/iTarnvaleAppDelegate.h"
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "platform/ui/Application.h"
#include "remote/ServerInfo.h"
#include "site/SiteHosts.h"

#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// Ctrl+C or a kill ends the main loop normally, so that the demo's servers and its
// Transmission daemon stop with the application instead of being left running.
void quitOnSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

const QString kRemoteUser = QStringLiteral("demo");
const QString kRemotePassword = QStringLiteral("demo");

// What the demo runs beside the application, stopped when it ends.
struct Demo
{
    std::unique_ptr<DemoSite> site;
    DemoRemoteClient remote;
};

QString dataFolder(const QString& name)
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    return folder;
}

// The remote settings point at a daemon of the demo's own of the client asked for when
// Debian's is installed, otherwise at the Vuze stand-in. Their ports change with every run.
void startRemoteClient(Demo& demo, const QString& client)
{
    if (!demo.remote.start(client, kRemoteUser, kRemotePassword))
        return;
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(demo.remote.clientClass());
    info.setAddress(demo.remote.address());
    info.setPort(QString::number(demo.remote.port()));
    info.setUsername(demo.remote.username());
    info.setPassword(demo.remote.password());
}

bool startDemo(Demo& demo, const QList<int>& latency, const QString& client)
{
    const QString folder = dataFolder(QStringLiteral("iTarnvale-demo"));
    SettingsStore::setStandardPath(folder + QStringLiteral("/settings.ini"));
    CookieStore::shared().setStoragePath(folder + QLatin1Char('/') + QLatin1String(CookieStore::kDefaultFileName));

    demo.site = std::make_unique<DemoSite>();
    QString error;
    if (!demo.site->start(&error)) {
        std::fprintf(stderr, "itarnvale: the demo site did not start: %s\n", qPrintable(error));
        return false;
    }
    demo.site->setLatency(latency);
    const DemoSite& site = *demo.site;
    SiteHosts::setWebHost(site.webHost());
    SiteHosts::setSecureWebHost(site.secureWebHost());
    SiteHosts::setForumHost(site.forumHost());
    SiteHosts::setCaptchaHost(site.captchaHost());
    SiteHosts::setCaptchaCookieDomain(QStringLiteral(".captcha.localhost"));
    SiteHosts::setNoticeHost(site.noticeHost());
    UrlLoader::setExtraCaFile(site.caCertificatePath());
    startRemoteClient(demo, client);

    const QString remote = demo.remote.port() ? demo.remote.description()
                                              : QStringLiteral("nothing (no remote client started)");
    std::printf("iTarnvale demo: the Tarnvale site runs on this machine at http://%s\n"
                "  sign in as  %s  with the password  %s\n"
                "  torrents go to %s, already set in Remote Settings\n"
                "  settings and cookies: %s\n",
                qPrintable(site.webHost()), DemoSite::kDemoUsername, DemoSite::kDemoPassword, qPrintable(remote),
                qPrintable(QDir::toNativeSeparators(folder)));
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const bool demoMode = arguments.removeAll(QStringLiteral("--demo")) > 0;
    if (arguments.removeAll(QStringLiteral("--trace-startup")) > 0)
        StartupTrace::install();
    QString error;
    QList<int> latency;
    const qsizetype latencyAt = arguments.indexOf(QStringLiteral("--demo-latency"));
    if (latencyAt >= 0) {
        const auto parsed = DemoSite::parseLatency(arguments.value(latencyAt + 1));
        if (!parsed || !demoMode)
            error = QStringLiteral("--demo-latency takes milliseconds (\"200\" or \"400,800,0\") and goes with --demo");
        latency = parsed.value_or(QList<int>());
        arguments.remove(latencyAt, std::min<qsizetype>(2, arguments.size() - latencyAt));
    }
    QString client;
    const qsizetype clientAt = arguments.indexOf(QStringLiteral("--demo-client"));
    if (clientAt >= 0) {
        client = arguments.value(clientAt + 1);
        if (!DemoRemoteClient::isKnown(client) || !demoMode)
            error = QStringLiteral("--demo-client takes %1 and goes with --demo")
                        .arg(DemoRemoteClient::names().join(QLatin1String(", ")));
        arguments.remove(clientAt, std::min<qsizetype>(2, arguments.size() - clientAt));
    }
    if (error.isEmpty())
        error = SiteHosts::applyArguments(arguments);
    if (!error.isEmpty() || !arguments.isEmpty()) {
        if (!error.isEmpty())
            std::fprintf(stderr, "itarnvale: %s\n", qPrintable(error));
        else if (arguments != QStringList{QStringLiteral("--help")})
            std::fprintf(stderr, "itarnvale: unknown option %s\n", qPrintable(arguments.constFirst()));
        std::fprintf(stderr,
                     "usage: itarnvale [--demo [--demo-latency MS[,MS...]] [--demo-client NAME]] "
                     "[--device phone|phone-568|tablet] "
                     "[--trace-startup] [host options]\n%s",
                     qPrintable(SiteHosts::usage()));
        return arguments == QStringList{QStringLiteral("--help")} ? 0 : 2;
    }

    quitOnSignals(app);
    Demo demo;
    if (demoMode) {
        if (!startDemo(demo, latency, client))
            return 1;
    } else {
        CookieStore::shared().setStoragePath(SettingsStore::standardFolder() + QLatin1Char('/')
                                             + QLatin1String(CookieStore::kDefaultFileName));
    }

    iTarnvaleAppDelegate delegate;
    app.setDelegate(&delegate);
    const int status = app.run();
    app.setDelegate(nullptr);
    return status;
}
