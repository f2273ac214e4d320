#pragma once

#include "platform/ui/ViewController.h"
#include "screens/favourites/FavoriteDisplaySettingsView.h"

#include <QPointer>

class Button;

// "Favorites Display Settings": how many pages of recent torrents the favourites list scans,
// on a slider, stored under "iTarnvale_favoritesCount" as a whole number each time a change
// is finished. One shared instance, pushed on a navigation stack each time; popping it keeps
// it (and its slider's position) for the next visit.
class FavoriteDisplaySettingsViewController : public ViewController, public FavoriteDisplaySettingsView::Delegate
{
    Q_OBJECT

public:
    // The single instance, made on first use under the class lock; never destroyed while the
    // application runs. User interface thread only (it makes widgets).
    static FavoriteDisplaySettingsViewController* sharedInstance();
    // Tests only: deletes the shared instance, so that the next sharedInstance() makes a new
    // one that reads the store again. The screen must not be on a navigation stack.
    static void resetSharedInstanceForTests();

    // The stored count ("5" when absent), brought into the slider's range.
    static int storedCount();

    FavoriteDisplaySettingsView* infoView() const { return m_infoView; }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    // Shared: being popped does not end it.
    void release() override;

    // Stores the count text and flushes; says when the file could not take it (the count
    // holds for this run all the same).
    void didUpdateFavoritesCount(FavoriteDisplaySettingsView* view, const QString& count) override;

public Q_SLOTS:
    // The back button: pops the screen (animated).
    void cancel(QObject* sender);

private:
    FavoriteDisplaySettingsViewController();
    ~FavoriteDisplaySettingsViewController() override;
    Button* makeBackButton();

    QPointer<FavoriteDisplaySettingsView> m_infoView;
};
