#pragma once

#include <QApplication>

class ApplicationDelegate;
class Window;

// The process's application object. Before QApplication exists it tells Qt WebEngine
// whether its sandbox and the GPU are off (WebEngineFlags decides; the only place these
// flags are set), and reads --device phone|phone-568|tablet, which picks the screen the
// window imitates, and --no-sandbox.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    static Application* instance();

    // The environment and attributes that must be set before any QApplication; the
    // constructor calls it, tests that make a plain QApplication call it first.
    // Removes --device NAME and --no-sandbox from argv (argc shrinks); false when NAME is
    // unknown.
    static bool prepare(int& argc, char** argv);
    // False when the application object was made with an unknown --device NAME (its
    // complaint is printed then); the program ends with its usage status.
    static bool deviceAccepted();
    // Only the environment part of prepare (idempotent, safe before main): the web view
    // code calls it at load time so that any program using web views gets it.
    static void prepareEnvironment();

    Window* window();
    void setDelegate(ApplicationDelegate* delegate) { m_delegate = delegate; }
    ApplicationDelegate* delegate() const { return m_delegate; }

    // Tells the delegate that launching has finished, then runs the main loop.
    int run();

private:
    Window* m_window = nullptr;
    ApplicationDelegate* m_delegate = nullptr;
};
