// itarnvale-demo-site [--http-port N] [--https-port N] [--latency MS[,MS...]]: serves the
// demo Tarnvale site on loopback until SIGINT or SIGTERM. --latency answers each listing page
// that many milliseconds late (several values: page p takes the ((p - 1) mod n)-th).
// --new-every SECONDS uploads a made-up torrent at the top of the recent list every SECONDS,
// every other one named for Linux or BSD, so that a favourite filter sees news come.
#include "DemoSite.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

bool readPort(const QStringList& args, int& i, int& port)
{
    if (i + 1 >= args.size())
        return false;
    bool ok = false;
    port = args.at(++i).toInt(&ok);
    return ok && port > 0 && port < 65536;
}

} // namespace

int main(int argc, char* argv[])
{
    // The captcha pictures are drawn with Qt's fonts, which need a GUI application; no
    // window is ever shown, so the offscreen platform does unless another was asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    int httpPort = 0;
    int httpsPort = 0;
    QList<int> latency;
    int newEvery = 0;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        bool ok = false;
        if (arg == QLatin1String("--http-port"))
            ok = readPort(args, i, httpPort);
        else if (arg == QLatin1String("--https-port"))
            ok = readPort(args, i, httpsPort);
        else if (arg == QLatin1String("--latency") && i + 1 < args.size()) {
            const auto parsed = DemoSite::parseLatency(args.at(++i));
            ok = parsed.has_value();
            latency = parsed.value_or(QList<int>());
        } else if (arg == QLatin1String("--new-every") && i + 1 < args.size()) {
            newEvery = args.at(++i).toInt(&ok);
            ok = ok && newEvery > 0 && newEvery <= 86400;
        }
        if (!ok) {
            std::fprintf(stderr, "usage: itarnvale-demo-site [--http-port N] [--https-port N] [--latency MS[,MS...]]"
                                 " [--new-every SECONDS]\n");
            return 2;
        }
    }

    // Signals arrive through a socket pair so that the stop happens in the event loop.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        std::perror("socketpair");
        return 1;
    }
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    DemoSite site(httpPort, httpsPort);
    site.setLatency(latency);
    QString error;
    if (!site.start(&error)) {
        std::fprintf(stderr, "itarnvale-demo-site: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Tarnvale demo site is running.\n"
                "  web host:        %s (http)\n"
                "  secure web host: %s (https, sign-in: https://%s/account_handler.php)\n"
                "  CA certificate:  %s\n"
                "  sample listing:  %s\n"
                "  demo account:    %s / %s\n"
                "Run the app with: itarnvale --web-host %s --secure-web-host %s --ca-file %s\n"
                "Stop with Ctrl+C.\n",
                qPrintable(site.webHost()), qPrintable(site.secureWebHost()),
                qPrintable(site.secureWebHost()), qPrintable(site.caCertificatePath()),
                qPrintable(site.listingUrl(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("S"))
                               .toString()),
                DemoSite::kDemoUsername, DemoSite::kDemoPassword, qPrintable(site.webHost()),
                qPrintable(site.secureWebHost()), qPrintable(site.caCertificatePath()));
    std::printf("  forum host:      %s\n  captcha host:    %s\n", qPrintable(site.forumHost()),
                qPrintable(site.captchaHost()));
    std::fflush(stdout);

    QTimer uploads;
    if (newEvery > 0) {
        QObject::connect(&uploads, &QTimer::timeout, &app, [&site] {
            const DemoTorrent added = site.addNextTorrent();
            std::printf("new torrent %d: %s\n", added.id, qPrintable(added.name));
            std::fflush(stdout);
        });
        uploads.start(newEvery * 1000);
    }

    const int status = app.exec();
    site.stop();
    std::printf("Tarnvale demo site stopped.\n");
    return status;
}
