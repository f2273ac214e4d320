#pragma once

#include "platform/ui/Device.h"

#include "platform/core/Callback.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/TextFieldDelegate.h"
#include "platform/ui/ViewController.h"

#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QRect>
#include <QString>

#include <memory>

class Button;
class DonateViewController;
class HttpRequest;
class HttpRequestRegEx;
class ImageView;
class InfoView;
class Label;
class LoadingIndicator;
class OperationQueue;
class ScrollView;
class SessionSwitch;
class Switch;
class TextField;
struct LoadedImage;

// The sign-in screen: user name, password and automatic sign-in kept in the settings store,
// the session check, the sign-in form with the site's captcha when it asks for one, and the
// notice service's word before the hand-over to the tab bar. The same object signs in
// silently when the navigation controller renews a lost session.
class LoginViewController : public ViewController, public AlertViewDelegate, public TextFieldDelegate
{
    Q_OBJECT

public:
    // The result of a sign-in as the user sees it: success, or the alert's message.
    struct Outcome
    {
        bool success = false;
        QString message;
    };

    // Where the two groups stand in the form (the form is 320 points wide, centred).
    static constexpr QPoint kGroupOriginPlain{22, 175};
    static constexpr QPoint kGroupOriginWithCaptcha{22, 275};
    static constexpr int kAnimationMilliseconds = 1000;
    static constexpr int kNoticeTimeoutSeconds = 3;

    // `sessionSwitch` hears switchViews() after a successful sign-in; may be none.
    explicit LoginViewController(SessionSwitch* sessionSwitch,
                                 QObject* parent = nullptr);
    ~LoginViewController() override;

    // Pure text tests, callable from any thread (the HTTP layer uses them).
    static bool isLoginHeader(const QString& text);
    static bool isLoginUrl(const QString& url);
    // Plain searches of a sign-in answer.
    static bool hasCaptchaRequest(const QString& page);
    static bool isInvalidUsername(const QString& page);
    static bool isInvalidCaptcha(const QString& page);
    // What a finished sign-in means, by its answer text and whether its status was good.
    // `phoneSystem`: the unknown error names the phone's settings there, and says what to do
    // about the application's own cookie file on a desktop.
    static Outcome outcomeFor(const QString& result, bool responseValid,
                              bool phoneSystem = Device::runsOnPhoneSystem());
    // The notice service's address for this build and device.
    static QUrl noticeUrl();

    void loadView() override;
    void viewDidLoad() override;

    // The sign-in button (sender none for the automatic sign-in).
    void login(Button* sender = nullptr);
    // Signs in as a tap on the sign-in button would, when the automatic sign-in switch is on.
    void tryAutoLogin();

    // The finished session check: goes on with this screen as receiver of the outcome.
    void doLogin(std::shared_ptr<HttpRequestRegEx> page);
    // Signs in with what the fields hold, after storing them. With a page (a finished session
    // check) that shows a good session, the outcome is success at once; otherwise the sign-in
    // form is posted and the finished request goes to `callback`. Callable from any thread:
    // the session renewal calls it from a worker with no page and deliverOnWorkerThread
    // true, so that its answer reaches it on the sign-in operation's own thread.
    void doLogin(const std::shared_ptr<HttpRequestRegEx>& page,
                 Callback<std::shared_ptr<HttpRequest>> callback,
                 bool deliverOnWorkerThread = false);
    void loginResult(std::shared_ptr<HttpRequest> request);
    void triedLoggingIn(const Outcome& outcome);
    // Hands over to the tab bar.
    void switchView();

    void showCaptchaView();
    void hideCaptchaView();
    void reloadCaptchaImage();
    // An empty dictionary: the captcha could not be had (see captchaFailed()).
    void saveCaptchaImage(QMap<QString, QString> captcha);
    void loadCaptchaImage(LoadedImage image);

    void toggleInfoView();
    void returnView();

    // AlertViewDelegate: the "GO" notice's button goes on to the tab bar.
    void clickedButtonAtIndex(AlertView* alertView, int buttonIndex) override;
    void didDismissWithButtonIndex(AlertView* alertView, int buttonIndex) override;
    // TextFieldDelegate: the return key walks user name, password, captcha; never signs in.
    bool textFieldShouldReturn(TextField* textField) override;
    void textFieldDidEndEditing(TextField* textField) override;

    // The controls (for the navigation controller and tests).
    ScrollView* scrollView() const;
    QWidget* groupView() const;
    QWidget* captchaView() const;
    TextField* username() const;
    TextField* password() const;
    TextField* captcha() const;
    ImageView* imageView() const;
    Switch* automaticLogin() const;
    Button* loginBtn() const;
    Button* infoBtn() const;
    InfoView* infoView() const;
    // Shown in the captcha group, in the picture's place, when the captcha could not be had.
    Label* captchaMessage() const;
    Button* captchaRetryBtn() const;
    // Operations this screen has queued and not finished (sign-in and captcha queues).
    int operationCount() const;
    // Made once the screen has been painted (none before).
    DonateViewController* donateViewController() const { return m_donate; }
    QString captchaChallenge() const;
    bool isCaptchaOn() const { return m_captchaOn; }
    bool isKeyboardVisible() const { return m_keyboardVisible; }
    // The background picture now set ("loginBack.png", ...).
    QString backgroundImageName() const { return m_backgroundName; }

Q_SIGNALS:
    // After a successful sign-in (and the notice), as the tab bar is asked to show.
    void switchedView();

private:
    void setBackground();
    // On a screen wider than the form's phone-wide column, takes the information button out
    // of the column to the screen's bottom right corner, where the phone shows it.
    void placeInfoButton();
    void keyboardWasShown();
    void keyboardWasHidden();
    void showLoading(const QString& text, int offset);
    void hideLoading();
    // The session check of a sign-in (login() once the password is known).
    void startLoginCheck();
    // The keychain's answer for a password field that still shows what it had before.
    void passwordLoaded();
    void captchaFailed();
    void runNoticeCheck();
    void fieldsChanged();
    void makeDonateButton();

    SessionSwitch* m_sessionSwitch;

    QPointer<ScrollView> m_scrollView;
    QPointer<QWidget> m_form;
    QPointer<QWidget> m_groupView;
    QPointer<QWidget> m_captchaView;
    QPointer<TextField> m_username;
    QPointer<TextField> m_password;
    QPointer<TextField> m_captcha;
    QPointer<ImageView> m_imageView;
    QPointer<Switch> m_automaticLogin;
    QPointer<Button> m_loginBtn;
    QPointer<Button> m_infoBtn;
    QPointer<InfoView> m_infoView;
    QPointer<Label> m_captchaMessage;
    QPointer<Button> m_captchaRetryBtn;
    DonateViewController* m_donate = nullptr;

    // Session checks and sign-ins, the renewal's included, one at a time.
    std::unique_ptr<OperationQueue> m_operationQueue;
    // The captcha and its picture: on a queue of their own, so that a captcha service that
    // is slow or down never holds up a sign-in or a session renewal.
    std::unique_ptr<OperationQueue> m_captchaQueue;
    LoadingIndicator* m_loading = nullptr;
    bool m_keyboardVisible = false;
    bool m_captchaOn = false;
    QString m_backgroundName;
    // The password field shows what it was given before the keychain answered, and the user
    // has not typed into it since; a sign-in asked for meanwhile waits for the answer.
    bool m_passwordPending = false;
    bool m_loginWaitsForPassword = false;

    // What a renewal on a worker thread reads: copies of the fields, kept as they change.
    mutable QMutex m_fieldsLock;
    QString m_usernameText;
    QString m_passwordText;
    QString m_captchaText;
    bool m_automaticLoginOn = false;
    QString m_captchaChallenge = QStringLiteral("");
};
