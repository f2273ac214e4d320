#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/ui/ViewController.h"

class WindowZoom;

// The application's only window, the size of the device's screen (320 x 480 points by
// default). Views added to it that belong to a view controller get that controller's
// appearance hooks while the window is visible.
class Window : public QWidget
{
    Q_OBJECT

public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // The visible window the application shows (the most recently made key), or none.
    static Window* keyWindow();

    void setRootViewController(ViewController* controller);
    ViewController* rootViewController() const { return m_root; }

    // Adds a view over the others, at the window's full size when it has no size of its
    // own yet; a controller's view makes its controller appear.
    void addSubview(QWidget* view);
    // Takes a view out of the window (a controller's view makes its controller
    // disappear); the view is hidden and has no parent afterwards.
    void removeSubview(QWidget* view);

    void makeKeyAndVisible();
    bool isKeyWindow() const;

    // Ctrl+plus, Ctrl+minus and Ctrl+0, kept between runs.
    WindowZoom* zoom() const { return m_zoom; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The window's close button ends the application.
    void closeEvent(QCloseEvent* event) override;

private:
    QList<ViewController*> controllersShown() const;

    QPointer<ViewController> m_root;
    WindowZoom* m_zoom = nullptr;
    bool m_shown = false;
};
