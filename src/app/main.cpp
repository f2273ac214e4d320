// itarnvale: the application. `itarnvale --help` lists the options and the exit statuses.
// With --demo it runs on the demo site, served in this process on loopback, with settings and
// cookies of its own and a remote client to send torrents to.
#include "DemoRemoteClient.h"
#include "DemoSite.h"

#include "app/CommandLine.h"
#include "app/StartupTrace.h"
#include "app/iTarnvaleAppDelegate.h"
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "platform/keychain/KeychainSecretStore.h"
#include "platform/ui/Application.h"
#include "remote/ServerInfo.h"
#include "settings/SecretSettings.h"
#include "site/SiteHosts.h"

#include <QDir>
#include <QList>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
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

// What the demo runs beside the application, stopped when it ends: the site first, while a
// daemon asked to end (beginStop) winds down, which the remote client then waits for.
struct Demo
{
    DemoRemoteClient remote;
    std::unique_ptr<DemoSite> site;
    QTimer uploads; // --demo-new-every; goes before the site it adds to
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
void storeRemoteSettings(const DemoRemoteClient& remote)
{
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(remote.clientClass());
    info.setAddress(remote.address());
    info.setPort(QString::number(remote.port()));
    info.setUsername(remote.username());
    info.setPassword(remote.password());
}

// The daemon itself starts only after a sign-in, once the tab bar has been drawn: a user who
// never signs in starts none. Its port is chosen and stored now.
void prepareRemoteClient(Demo& demo, const QString& client)
{
    if (demo.remote.prepare(client, kRemoteUser, kRemotePassword))
        storeRemoteSettings(demo.remote);
}

void startPendingRemoteClient(Demo& demo)
{
    if (!demo.remote.isPending())
        return;
    // Stored at launch; the setters write only what changed (another port, or the stand-in).
    if (demo.remote.startPending())
        storeRemoteSettings(demo.remote);
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
    SiteHosts::setDonateUrl(QStringLiteral("http://%1/donate").arg(site.webHost()));
    UrlLoader::setExtraCaFile(site.caCertificatePath());
    prepareRemoteClient(demo, client);

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
    if (const std::optional<int> status = CommandLine::answerAtOnce(argc, argv))
        return *status;
    Application app(argc, argv);
    // Wayland desktops find the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ITARNVALE_APP_ID));
    // The window's device was read (and an unknown one complained of) as the application
    // object was made: a wrong one ends here, before anything starts on the real site.
    if (!Application::deviceAccepted()) {
        std::fprintf(stderr, "Try 'itarnvale --help' for the options.\n");
        return CommandLine::UsageError;
    }
    CommandLine line;
    QString error;
    if (!line.parse(app.arguments()))
        error = line.error();
    const bool demoMode = line.demo();
    QList<int> latency;
    if (error.isEmpty() && !line.demoLatency().isNull()) {
        const auto parsed = DemoSite::parseLatency(line.demoLatency());
        if (!parsed || !demoMode)
            error = QStringLiteral("--demo-latency takes milliseconds (\"200\" or \"400,800,0\") and goes with --demo");
        latency = parsed.value_or(QList<int>());
    }
    int newEvery = 0;
    if (error.isEmpty() && !line.demoNewEvery().isNull()) {
        bool number = false;
        newEvery = line.demoNewEvery().toInt(&number);
        if (!number || newEvery < 1 || newEvery > 86400 || !demoMode)
            error = QStringLiteral("--demo-new-every takes seconds (1 to 86400) and goes with --demo");
    }
    const QString client = line.demoClient();
    if (error.isEmpty() && !client.isNull() && (!DemoRemoteClient::isKnown(client) || !demoMode)) {
        error = QStringLiteral("--demo-client takes %1 and goes with --demo")
                    .arg(DemoRemoteClient::names().join(QLatin1String(", ")));
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "itarnvale: %s\nTry 'itarnvale --help' for the options.\n", qPrintable(error));
        return CommandLine::UsageError;
    }
    if (line.traceStartup())
        StartupTrace::install();

    quitOnSignals(app);
    Demo demo;
    if (demoMode) {
        if (!startDemo(demo, latency, client))
            return CommandLine::Failure;
        if (newEvery > 0) {
            QObject::connect(&demo.uploads, &QTimer::timeout, [site = demo.site.get()] { site->addNextTorrent(); });
            demo.uploads.start(newEvery * 1000);
        }
    } else {
        CookieStore::shared().setStoragePath(SettingsStore::standardFolder() + QLatin1Char('/')
                                             + QLatin1String(CookieStore::kDefaultFileName));
    }
    // The passwords live in the desktop's keychain when one answers; the first screen reads
    // them, so the start waits a moment for the keychain's first answer. A later answer (a
    // locked keyring that asks the user) still reaches the login screen, whose sign-in waits
    // for it.
    SecretSettings& secrets = SecretSettings::shared();
    secrets.start(std::make_unique<KeychainSecretStore>(secrets.keychainService(!demoMode)));
    secrets.waitUntilLoaded(std::chrono::seconds(2));

    iTarnvaleAppDelegate delegate;
    if (demoMode) {
        delegate.setSignedInHook([&demo] {
            // Queued, so that the tab bar is drawn before the daemon's start holds the thread.
            QTimer::singleShot(0, qApp, [&demo] { startPendingRemoteClient(demo); });
        });
    }
    app.setDelegate(&delegate);
    const int status = app.run();
    app.setDelegate(nullptr);
    // The daemon ends while the rest is taken down; ~Demo waits for it.
    demo.remote.beginStop();
    return status;
}
