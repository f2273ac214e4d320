#pragma once

#include <QPointer>
#include <QWidget>

class Label;
class ScrollView;
class Slider;
class WatchSettingsControls;

// The content view of the favourites page count screen, built from the interface layout
// "FavoriteDisplaySettings" (whose root class this is): the slider of how many pages the
// favourites list scans and the label that shows the count. The label follows the slider as
// it moves; every finished change (the slider let go, or the last step of a change made with
// the arrow keys) is handed to the delegate with the label's text.
class FavoriteDisplaySettingsView : public QWidget
{
    Q_OBJECT
public:
    // The slider's range: a stored count outside it is read as the nearest end.
    static constexpr int kMinimumCount = 1;
    static constexpr int kMaximumCount = 20;

    // Told of every finished change.
    class Delegate
    {
    public:
        virtual ~Delegate() = default;
        virtual void didUpdateFavoritesCount(FavoriteDisplaySettingsView* view, const QString& count) = 0;
    };

    // A view built from the layout "FavoriteDisplaySettings".
    static FavoriteDisplaySettingsView* create(QWidget* parent = nullptr);
    // Registers this class as the root class of the layout (done by create(); idempotent).
    static void registerClass();

    Slider* favoritesCountSlider() const;
    Label* favoritesCountValue() const;
    ScrollView* scrollView() const;
    // The watch's switch and interval.
    WatchSettingsControls* watchControls() const { return m_watchControls; }
    // Not held: the screen that owns the view.
    Delegate* delegate() const { return m_delegate; }
    void setDelegate(Delegate* delegate) { m_delegate = delegate; }

    // Shows a count on the label and the slider.
    void setCount(int count);
    // The count formatted as the label and the store hold it, "%.0f".
    static QString countText(double value);

public Q_SLOTS:
    // The slider moves: the label shows its value.
    void movedFavoritesSlider(Slider* sender);
    // A change is finished: the slider settles on the whole number shown and the delegate is
    // told.
    void changedFavoritesSlider(Slider* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit FavoriteDisplaySettingsView(QWidget* parent = nullptr);
    void bind();

    QPointer<Slider> m_slider;
    QPointer<Label> m_value;
    QPointer<ScrollView> m_scrollView;
    WatchSettingsControls* m_watchControls = nullptr; // a child
    Delegate* m_delegate = nullptr;
};
