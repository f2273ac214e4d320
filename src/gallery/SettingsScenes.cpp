// Scenes of the display and search settings screens, pushed on a navigation stack as the
// list screens push them, with codes stored in a settings store of the gallery's own (a
// temporary file, so the user's settings are neither read nor written).
#include "gallery/GalleryScene.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"
#include "screens/settings/DisplaySettingsView.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "screens/settings/SearchDisplaySettingsViewController.h"
#include "settings/SettingsKeys.h"

#include <QTemporaryDir>

namespace {

// Points the settings store at the gallery's own file, once, with these codes stored.
void useGalleryStore()
{
    static QTemporaryDir dir;
    static bool done = false;
    if (done)
        return;
    done = true;
    SettingsStore::setStandardPath(dir.filePath(QStringLiteral("gallery.ini")));
    SettingsStore& store = SettingsStore::standard();
    // Recents: "Music", whose languages do not apply (the language column shows "All" only).
    store.setString(SettingsKeys::categories, QStringLiteral("2"));
    store.setString(SettingsKeys::language, QStringLiteral("3"));
    store.setString(SettingsKeys::orderBy, QStringLiteral("S"));
    // Search: "Movies" in English, by size, smallest first ("asc").
    store.setString(SettingsKeys::searchCategories, QStringLiteral("1"));
    store.setString(SettingsKeys::searchLanguage, QStringLiteral("1"));
    store.setString(SettingsKeys::searchOrderBy, QStringLiteral("B"));
    store.setString(SettingsKeys::searchSortBy, QStringLiteral("asc"));
    store.synchronize();
}

class PlainScreen : public ViewController
{
public:
    PlainScreen() { setTitle(QStringLiteral("All Torrents")); }
};

QWidget* settingsScreen(bool search)
{
    useGalleryStore();
    auto* window = new Window;
    auto* nav = new NavigationController(new PlainScreen, window);
    nav->navigationBar()->setBarStyle(NavigationBar::BarStyle::Black);
    window->setRootViewController(nav);
    window->makeKeyAndVisible();
    ViewController* screen = search ? static_cast<ViewController*>(SearchDisplaySettingsViewController::sharedInstance())
                                    : static_cast<ViewController*>(DisplaySettingsViewController::sharedInstance());
    nav->pushViewController(screen, false);
    return window;
}

// Scrolls the screen's content to its end (the picker's lower rows under the bar's height).
void scrollToEnd(QWidget* window)
{
    for (auto* view : window->findChildren<DisplaySettingsView*>()) {
        if (view->isVisible() && view->scrollView())
            view->scrollView()->setContentOffset(view->scrollView()->maximumContentOffset());
    }
}

} // namespace

GALLERY_SCENE(QStringLiteral("screen-RecentsDisplaySettings"), [] { return settingsScreen(false); });
GALLERY_SCENE(QStringLiteral("screen-SearchSettings"), [] { return settingsScreen(true); });
GALLERY_SCENE(QStringLiteral("screen-SearchSettings-scrolled"), [] { return settingsScreen(true); }, scrollToEnd);
