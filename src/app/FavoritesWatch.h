#pragma once

#include "watch/WatchMatch.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>

class DesktopNotifier;
class QSystemTrayIcon;
class Watch;

// The watch as the app runs it while the main tabs are shown and the user has switched it
// on (WatchSettings): new matches become one desktop notification and, where the desktop
// has a tray, a tray icon with their count; a click on either opens Favourites, which
// counts them as seen. The app's own session renewal signs in again when the site asks.
class FavoritesWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kFirstRoundDelay{5};

    // `signedIn` answers whether the main tabs are shown; `openFavorites` brings the
    // Favourites tab to the front.
    FavoritesWatch(std::function<bool()> signedIn, std::function<void()> openFavorites, QObject* parent = nullptr);
    ~FavoritesWatch() override;

    Watch* watch() const { return m_watch; }
    DesktopNotifier* notifier() const { return m_notifier; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    // New matches not yet seen in Favourites.
    int unseenCount() const { return m_unseen; }
    // Favourites is on screen: what was new has been seen.
    void seen();

private:
    void found(const QList<WatchMatch>& matches);
    void open();
    void updateTray();

    std::function<void()> m_openFavorites;
    Watch* m_watch = nullptr;
    DesktopNotifier* m_notifier = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    int m_unseen = 0;
};
