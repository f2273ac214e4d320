#include "screens/favourites/FavoriteDisplaySettingsViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "screens/common/SettingsSaveAlert.h"
#include "settings/Settings.h"
#include "views/BarButton.h"

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>

namespace {
QMutex g_classLock;
FavoriteDisplaySettingsViewController* g_instance = nullptr;

// Owns the shared screen, so that a navigation controller that shows it never takes it as
// its child; made once on the user interface thread and never deleted.
QObject* sharedInstanceOwner()
{
    static QObject* const owner = new QObject;
    return owner;
}
} // namespace

FavoriteDisplaySettingsViewController* FavoriteDisplaySettingsViewController::sharedInstance()
{
    QMutexLocker locker(&g_classLock);
    if (!g_instance)
        g_instance = new FavoriteDisplaySettingsViewController;
    return g_instance;
}

void FavoriteDisplaySettingsViewController::resetSharedInstanceForTests()
{
    QMutexLocker locker(&g_classLock);
    delete g_instance;
    g_instance = nullptr;
}

int FavoriteDisplaySettingsViewController::storedCount()
{
    return std::clamp(Settings::favoritesCount(), int(FavoriteDisplaySettingsView::kMinimumCount),
                      int(FavoriteDisplaySettingsView::kMaximumCount));
}

FavoriteDisplaySettingsViewController::FavoriteDisplaySettingsViewController()
    : ViewController(sharedInstanceOwner())
{
    setTitle(QStringLiteral("Favorites Display Settings"));
    // The view now, so the stored count is read when the screen is made.
    view();
}

FavoriteDisplaySettingsViewController::~FavoriteDisplaySettingsViewController() = default;

Button* FavoriteDisplaySettingsViewController::makeBackButton()
{
    Button* back = makeBarButton(QStringLiteral("backButton"), QStringLiteral("back.png"));
    connect(back, &Button::touchUpInside, this, [this](Button* sender) { cancel(sender); });
    return back;
}

void FavoriteDisplaySettingsViewController::loadView()
{
    // The back button lives in the bar that shows it; a bar that went away (with its
    // navigation controller, taking this view along) took it too: both are made again, and
    // the slider shows what was last stored.
    if (!navigationItem()->leftView())
        navigationItem()->setLeftView(makeBackButton());
    FavoriteDisplaySettingsView* view = FavoriteDisplaySettingsView::create();
    view->setDelegate(this);
    view->setGeometry(Device::screenBounds());
    view->setCount(storedCount());
    m_infoView = view;
    setView(view);
}

void FavoriteDisplaySettingsViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (!navigationItem()->leftView())
        navigationItem()->setLeftView(makeBackButton());
    if (NavigationController* nav = navigationController())
        nav->setNavigationBarHidden(false, animated);
}

void FavoriteDisplaySettingsViewController::release()
{
    // Shared: kept for the next visit.
}

void FavoriteDisplaySettingsViewController::didUpdateFavoritesCount(FavoriteDisplaySettingsView*, const QString& count)
{
    SettingsSaveAlert::check(Settings::setFavoritesCount(count));
}

void FavoriteDisplaySettingsViewController::cancel(QObject*)
{
    if (NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}
