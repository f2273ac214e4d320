#pragma once

#include "platform/core/Callback.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class HttpRequest;
class HttpRequestRegEx;
class SwitchViewController;

// The sign-in screen: user name, password and automatic sign-in kept in the settings store,
// the session check, the sign-in form with the site's captcha when it asks for one, and the
// notice service's word before the hand-over to the tab bar. The same object signs in
// silently when the navigation controller renews a lost session.
class LoginViewController : public ViewController, public AlertViewDelegate
{
    Q_OBJECT

public:
    explicit LoginViewController(SwitchViewController* switchViewController,
                                 QObject* parent = nullptr);
    ~LoginViewController() override;

    // Pure text tests, callable from any thread (the HTTP layer uses them).
    static bool isLoginHeader(const QString& text);
    static bool isLoginUrl(const QString& url);

    // Signs in as a tap on the sign-in button would, when the automatic sign-in switch is on.
    void tryAutoLogin();

    // Signs in with what the fields hold. With a page (a finished session check) that shows
    // a good session, the outcome is success at once; otherwise the sign-in form is posted
    // and the finished request goes to `callback`. Callable from any thread: the session
    // renewal calls it from a worker with no page and a callback set to deliver on the
    // sign-in operation's worker thread (deliverOnWorkerThread true).
    void doLogin(const std::shared_ptr<HttpRequestRegEx>& page,
                 Callback<std::shared_ptr<HttpRequest>> callback,
                 bool deliverOnWorkerThread = false);
};
