#pragma once

#include <QPointer>
#include <QWidget>

class ScrollView;

// The content view of the display and search settings screens, built from
// the interface layout "DisplaySettings" (whose root class this is): the dark page with the
// scroll view into which the screens place their selectors and the picker. The scroll view
// always fills the view, so that content below a short view (under a navigation bar and a
// tab bar) can be scrolled to.
class DisplaySettingsView : public QWidget
{
    Q_OBJECT
public:
    // A view built from the layout "DisplaySettings".
    static DisplaySettingsView* create(QWidget* parent = nullptr);
    // Registers this class as the root class of the layout (done by create(); idempotent).
    static void registerClass();

    ScrollView* scrollView() const { return m_scrollView; }

    // The screen that owns the view; not held. The layout holds no favourites slider or
    // switch, so nothing calls back on it.
    QObject* delegate() const { return m_delegate; }
    void setDelegate(QObject* delegate) { m_delegate = delegate; }

Q_SIGNALS:
    // The view has its new size (the screen places its controls for that height).
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit DisplaySettingsView(QWidget* parent = nullptr);

    QPointer<ScrollView> m_scrollView;
    QPointer<QObject> m_delegate;
};
