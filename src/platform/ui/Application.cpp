#include "platform/ui/Application.h"

#include "platform/core/Shutdown.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/Device.h"
#include "platform/ui/SharedGraphicsContext.h"
#include "platform/ui/WebEngineFlags.h"
#include "platform/ui/Window.h"

#include <QByteArray>
#include <QFont>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

void appendFlags(const char* name, const QByteArrayList& flags)
{
    QByteArray value = qgetenv(name);
    for (const QByteArray& flag : flags) {
        if (!value.split(' ').contains(flag))
            value += (value.isEmpty() ? "" : " ") + flag;
    }
    qputenv(name, value);
}

bool& deviceWasAccepted()
{
    static bool accepted = true;
    return accepted;
}

int& prepared(int& argc, char** argv)
{
    deviceWasAccepted() = Application::prepare(argc, argv);
    if (!deviceWasAccepted())
        std::fprintf(stderr, "unknown --device; use phone, phone-568 or tablet\n");
    return argc;
}

// What the web engine and the platform say on every start (flags, sandbox, graphics set-up):
// nothing a user can act on. Off unless asked for with
// QT_LOGGING_RULES="itarnvale.startup.debug=true".
Q_LOGGING_CATEGORY(startupChatter, "itarnvale.startup", QtWarningMsg)

QtMessageHandler g_previousHandler = nullptr;

bool isStartupChatter(const QMessageLogContext& context, const QString& message)
{
    static const char* const lines[] = {"Sandboxing disabled by user.", "No suitable graphics backend found",
                                        "This plugin does not support raise()"};
    if (context.category && std::strcmp(context.category, "qt.webenginecontext") == 0)
        return true;
    for (const char* line : lines) {
        if (message.trimmed() == QLatin1String(line))
            return true;
    }
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && isStartupChatter(context, message)) {
        if (!startupChatter().isDebugEnabled())
            return;
        type = QtDebugMsg;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// The user's own settings of what applyEngineFlags sets, as they were at the first call, so
// that a later call starts again from them.
struct UserEngineEnvironment
{
    QByteArray chromiumFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    bool quickBackendSet = !qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND");
};

const UserEngineEnvironment& userEngineEnvironment()
{
    static const UserEngineEnvironment environment;
    return environment;
}

// Tells the engine what WebEngineFlags decides; read when the first web view starts it.
void applyEngineFlags(const QString& platformSpec, bool sandboxOffAsked)
{
    const UserEngineEnvironment& user = userEngineEnvironment();
    const QString platform = platformSpec.section(QLatin1Char(':'), 0, 0);
    const bool root = ::getuid() == 0 || ::geteuid() == 0;
    const WebEngineFlags flags =
        WebEngineFlags::decide(root, WebEngineFlags::userNamespacesAllowed(), platform, sandboxOffAsked);

    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", user.chromiumFlags);
    appendFlags("QTWEBENGINE_CHROMIUM_FLAGS", flags.chromiumFlags());
    // Small /dev/shm in containers; Chromium's own console logging: fatal errors only.
    appendFlags("QTWEBENGINE_CHROMIUM_FLAGS", {"--disable-dev-shm-usage", "--log-level=3"});
    // Without a GPU the web views' scene graph draws in software; the user may choose otherwise.
    if (!user.quickBackendSet) {
        if (flags.gpuOff)
            qputenv("QT_QUICK_BACKEND", "software");
        else
            qunsetenv("QT_QUICK_BACKEND");
    }
}

} // namespace

void Application::prepareEnvironment()
{
    static const bool quiet = [] {
        g_previousHandler = qInstallMessageHandler(quietHandler);
        return true;
    }();
    Q_UNUSED(quiet);
    // Before main there is no command line: the platform comes from the environment here,
    // and prepare() decides again once it has seen -platform and --no-sandbox.
    applyEngineFlags(qEnvironmentVariable("QT_QPA_PLATFORM"), false);
    SharedGraphicsContext::deferUntilWebView();
}

bool Application::deviceAccepted()
{
    return deviceWasAccepted();
}

bool Application::prepare(int& argc, char** argv)
{
    prepareEnvironment();

    bool ok = true;
    int out = 1;
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    bool noSandbox = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        // Qt's own option, left for Qt to read.
        if ((std::strcmp(arg, "-platform") == 0 || std::strcmp(arg, "--platform") == 0) && i + 1 < argc) {
            platform = QString::fromLocal8Bit(argv[i + 1]);
            argv[out++] = argv[i++];
            argv[out++] = argv[i];
            continue;
        }
        if (std::strcmp(arg, "--no-sandbox") == 0) {
            noSandbox = true;
            continue;
        }
        QString name;
        if (std::strcmp(arg, "--device") == 0 && i + 1 < argc) {
            name = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strncmp(arg, "--device=", 9) == 0) {
            name = QString::fromLocal8Bit(arg + 9);
        } else if (std::strcmp(arg, "--tablet") == 0) {
            name = QStringLiteral("tablet");
        } else {
            argv[out++] = argv[i];
            continue;
        }
        Device::Kind kind;
        if (Device::kindFromName(name, &kind))
            Device::setKind(kind);
        else
            ok = false;
    }
    if (out < argc)
        argv[out] = nullptr;
    argc = out;
    applyEngineFlags(platform, noSandbox);
    return ok;
}

Application::Application(int& argc, char** argv)
    : QApplication(prepared(argc, argv), argv)
{
    setApplicationName(QStringLiteral("iTarnvale"));
    setOrganizationName(QStringLiteral("iTarnvale"));
    Accessibility::install();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    setFont(font);
}

Application::~Application()
{
    delete m_window;
}

Application* Application::instance()
{
    return qobject_cast<Application*>(QCoreApplication::instance());
}

Window* Application::window()
{
    if (!m_window)
        m_window = new Window;
    return m_window;
}

int Application::run()
{
    if (m_delegate)
        m_delegate->didFinishLaunching(this);
    const int status = exec();
    // Workers are woken, their exchanges aborted and their threads joined before anything
    // they read (session keeper, alert presenter, stores) is destroyed.
    Shutdown::quit();
    if (m_delegate)
        m_delegate->willTerminate(this);
    return status;
}
