#pragma once

// What the login and log-out screens ask of the application's navigation: the tabs after a
// sign-in, and a log-out. The application's SwitchViewController is the implementation; the
// screens know only this face, so they never reach up into the application.
class SessionSwitch
{
public:
    // From the login screen to the tab bar, or back.
    virtual void switchViews() = 0;
    // Deletes the site's cookies and shows the login screen.
    virtual void logout() = 0;

protected:
    ~SessionSwitch() = default;
};
