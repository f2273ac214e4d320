#include "app/CommandLine.h"

#include "platform/ui/Bundle.h"
#include "site/SiteHosts.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const QString kDemo = QStringLiteral("demo");
const QString kDemoLatency = QStringLiteral("demo-latency");
const QString kDemoClient = QStringLiteral("demo-client");
const QString kDemoNewEvery = QStringLiteral("demo-new-every");
const QString kTraceStartup = QStringLiteral("trace-startup");

const char kExitStatuses[] =
    "\nExit status:\n"
    "  0  the application ended normally; also after --help and --version\n"
    "  1  the demo site could not be started\n"
    "  2  the command line was wrong: an unknown option, a missing or wrong value\n";

} // namespace

CommandLine::CommandLine()
{
    m_parser.setApplicationDescription(QStringLiteral(
        "A client for the Tarnvale tracker site: sign in, browse and search torrents, read the forum, "
        "and send torrents to the BitTorrent client on your computer."));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({
        {kDemo, QStringLiteral("Runs on the demo site, served by this process on loopback, with settings and cookies "
                               "of its own and a remote client to send torrents to.")},
        {kDemoLatency, QStringLiteral("With --demo: the demo answers its listing pages that many milliseconds late, "
                                      "one figure per page in turn (\"200\" or \"400,800,0\")."),
         QStringLiteral("MS[,MS...]")},
        {kDemoNewEvery, QStringLiteral("With --demo: the demo uploads a torrent every that many seconds, every other one "
                                       "named for Linux or BSD, so that the favourites watch finds news."),
         QStringLiteral("SECONDS")},
        {kDemoClient, QStringLiteral("With --demo: the client whose private daemon gets the torrents "
                                     "(transmission, qbittorrent, deluge; Transmission by default)."),
         QStringLiteral("NAME")},
        {QStringLiteral("device"), QStringLiteral("The screen the window imitates: phone, phone-568 or tablet."),
         QStringLiteral("NAME")},
        {QStringLiteral("tablet"), QStringLiteral("Same as --device tablet.")},
        {QStringLiteral("no-sandbox"), QStringLiteral("Runs the web pages without the web engine's sandbox, where it cannot "
                                                      "start (it is off by itself as root).")},
        {kTraceStartup, QStringLiteral("Prints when the first torrent rows were painted, then loads the next page "
                                       "and runs a search as a user would, and prints how long each took.")},
    });
    for (const SiteHosts::Option& host : SiteHosts::options()) {
        m_parser.addOption(QCommandLineOption(QLatin1String(host.name),
                                              QStringLiteral("Host option: ") + QLatin1String(host.description) + QLatin1Char('.'),
                                              QLatin1String(host.valueName)));
    }
}

std::optional<int> CommandLine::answerAtOnce(int argc, char** argv)
{
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        for (const char* name : {"--help", "-help", "-h", "-?", "--help-all"})
            help = help || std::strcmp(argv[i], name) == 0;
        for (const char* name : {"--version", "-version", "-v"})
            version = version || std::strcmp(argv[i], name) == 0;
    }
    if (!help && !version)
        return std::nullopt;
    // No window system: a core application is enough for the parser's texts.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("itarnvale"));
    const QString text = help ? CommandLine().helpText() : versionText();
    std::fputs(qPrintable(text), stdout);
    std::fflush(stdout);
    return Success;
}

bool CommandLine::parse(const QStringList& arguments)
{
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Unexpected argument '%1'.").arg(m_parser.positionalArguments().constFirst());
        return false;
    }
    for (const SiteHosts::Option& host : SiteHosts::options()) {
        const QString name = QLatin1String(host.name);
        if (!m_parser.isSet(name))
            continue;
        const QString value = m_parser.value(name);
        if (value.isEmpty()) {
            m_error = QStringLiteral("The option --%1 needs a value.").arg(name);
            return false;
        }
        host.apply(value);
    }
    return true;
}

bool CommandLine::demo() const
{
    return m_parser.isSet(kDemo);
}

QString CommandLine::demoLatency() const
{
    return m_parser.isSet(kDemoLatency) ? m_parser.value(kDemoLatency) : QString();
}

QString CommandLine::demoNewEvery() const
{
    return m_parser.isSet(kDemoNewEvery) ? m_parser.value(kDemoNewEvery) : QString();
}

QString CommandLine::demoClient() const
{
    return m_parser.isSet(kDemoClient) ? m_parser.value(kDemoClient) : QString();
}

bool CommandLine::traceStartup() const
{
    return m_parser.isSet(kTraceStartup);
}

QString CommandLine::helpText() const
{
    return m_parser.helpText() + QLatin1String(kExitStatuses);
}

QString CommandLine::versionText()
{
    return QStringLiteral("iTarnvale %1\n").arg(Bundle::buildVersion());
}
