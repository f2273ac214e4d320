#include "app/iTarnvaleAppDelegate.h"

#include "app/SwitchViewController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Window.h"
#include "remote/AlertPresenter.h"
#include "settings/Settings.h"
#include "site/SessionKeeper.h"
#include "views/NoNetworkBand.h"

namespace {
iTarnvaleAppDelegate* g_shared = nullptr;
}

iTarnvaleAppDelegate::iTarnvaleAppDelegate()
{
    g_shared = this;
}

iTarnvaleAppDelegate::~iTarnvaleAppDelegate()
{
    if (g_shared == this)
        g_shared = nullptr;
    delete m_viewController; // unregisters itself as session keeper and alert presenter
}

iTarnvaleAppDelegate* iTarnvaleAppDelegate::sharedInstance()
{
    return g_shared;
}

void iTarnvaleAppDelegate::didFinishLaunching(Application* application)
{
    launch(application->window());
}

void iTarnvaleAppDelegate::launch(Window* window)
{
    recordBuildVersion(Bundle::infoValue(QStringLiteral("CFBundleVersion")).toString());

    m_window = window;
    delete m_viewController;
    m_viewController = new SwitchViewController(window);
    SessionKeeper::setInstance(m_viewController);
    AlertPresenter::setInstance(m_viewController);
    QObject::connect(m_viewController, &SwitchViewController::tabBarShown, m_viewController, [this] {
        if (m_signedInHook)
            m_signedInHook();
    });

    // Loading the view shows the login screen and tries the automatic sign-in.
    window->addSubview(m_viewController->view());
    if (!window->findChild<NoNetworkBand*>(QString(), Qt::FindDirectChildrenOnly))
        NoNetworkBand::install(window);
    window->makeKeyAndVisible();
}

bool iTarnvaleAppDelegate::recordBuildVersion(const QString& buildVersion)
{
    const QString stored = Settings::version();
    if (!stored.isNull() && stored == buildVersion)
        return false;
    Settings::setVersion(buildVersion);
    return true;
}
