#include "platform/ui/Application.h"

#include "platform/core/Shutdown.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/Device.h"
#include "platform/ui/Window.h"

#include <QByteArray>
#include <QFont>

#include <cstdio>
#include <cstring>

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

int& prepared(int& argc, char** argv)
{
    if (!Application::prepare(argc, argv))
        std::fprintf(stderr, "unknown --device; use phone, phone-568 or tablet\n");
    return argc;
}

} // namespace

void Application::prepareEnvironment()
{
    // Chromium refuses to start its sandbox as root and has no GPU offscreen or on a
    // headless server; software rendering is enough for the pages we show.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    appendFlags("QTWEBENGINE_CHROMIUM_FLAGS",
                {"--no-sandbox", "--disable-gpu", "--disable-gpu-compositing",
                 "--disable-dev-shm-usage", "--disable-features=Vulkan"});
    // Without a GPU (offscreen, headless servers) the web views' scene graph draws in
    // software; the caller may choose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    // Web views and widgets share one GL context set-up; must precede QApplication.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool Application::prepare(int& argc, char** argv)
{
    prepareEnvironment();

    bool ok = true;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
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
    return ok;
}

Application::Application(int& argc, char** argv)
    : QApplication(prepared(argc, argv), argv)
{
    setApplicationName(QStringLiteral("iTarnvale"));
    setOrganizationName(QStringLiteral("iTarnvale"));
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
