#pragma once

class Application;

// The application's own start-up and end hooks, called by Application::run.
class ApplicationDelegate
{
public:
    virtual ~ApplicationDelegate() = default;
    // The main loop is about to start: make the window's content and show it.
    virtual void didFinishLaunching(Application* application) = 0;
    virtual void willTerminate(Application*) {}
};
