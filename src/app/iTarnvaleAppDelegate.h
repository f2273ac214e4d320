#pragma once

#include "platform/ui/ApplicationDelegate.h"

#include <QString>

#include <functional>

class SwitchViewController;
class Window;

// The application's start-up: records the build version, registers the navigation
// controller as the session keeper and alert presenter, and shows it in the window.
// Every other part reaches the navigation controller through viewController().
class iTarnvaleAppDelegate : public ApplicationDelegate
{
public:
    iTarnvaleAppDelegate();
    ~iTarnvaleAppDelegate() override;
    iTarnvaleAppDelegate(const iTarnvaleAppDelegate&) = delete;
    iTarnvaleAppDelegate& operator=(const iTarnvaleAppDelegate&) = delete;

    // The delegate of this run (the most recently made one), or none.
    static iTarnvaleAppDelegate* sharedInstance();

    Window* window() const { return m_window; }
    SwitchViewController* viewController() const { return m_viewController; }

    // Launches into the application's window.
    void didFinishLaunching(Application* application) override;
    void willTerminate(Application*) override {}

    // The start-up itself, into any window (tests give their own).
    void launch(Window* window);

    // Called on the main thread each time the tab bar shows after a sign-in, so that what
    // only a signed-in user needs (the demo's client daemon) starts then, not at launch.
    void setSignedInHook(std::function<void()> hook) { m_signedInHook = std::move(hook); }

    // Stores the build version under "iTarnvale_version" and flushes, only when the stored
    // one differs or is absent. Returns whether it wrote.
    static bool recordBuildVersion(const QString& buildVersion);

private:
    Window* m_window = nullptr; // the application's, which outlives this delegate
    SwitchViewController* m_viewController = nullptr;
    std::function<void()> m_signedInHook;
};
