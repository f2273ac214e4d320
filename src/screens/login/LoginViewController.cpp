#include "screens/login/LoginViewController.h"

#include "platform/core/CookieStore.h"
#include "platform/core/OperationQueue.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "screens/login/DonateViewController.h"
#include "screens/login/FlipTransition.h"
#include "screens/login/SessionSwitch.h"
#include "settings/Settings.h"
#include "site/FetchPageCaptcha.h"
#include "site/FetchPageLoginCheck.h"
#include "site/FetchPageSignIn.h"
#include "site/HttpRequest.h"
#include "site/HttpRequestRegEx.h"
#include "site/ImageLoader.h"
#include "site/SiteHosts.h"
#include "views/InfoView.h"
#include "views/LoadingIndicator.h"

#include <QDir>
#include <QEvent>
#include <QMutexLocker>
#include <QPropertyAnimation>

#include <utility>

namespace {

const QString kPleaseWait = QStringLiteral("Please wait...");
constexpr int kPleaseWaitOffset = 150;

// A widget of the interface layout the screen works with; the layout always has it.
template <typename T>
T* outlet(QWidget* root, const char* name)
{
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT_X(found, "LoginViewController", name);
    return found;
}

} // namespace

LoginViewController::LoginViewController(SessionSwitch* sessionSwitch, QObject* parent)
    : ViewController(parent)
    , m_sessionSwitch(sessionSwitch)
    , m_operationQueue(std::make_unique<OperationQueue>(1))
    , m_captchaQueue(std::make_unique<OperationQueue>(1))
{
}

LoginViewController::~LoginViewController() = default;

ScrollView* LoginViewController::scrollView() const
{
    return m_scrollView;
}

QWidget* LoginViewController::groupView() const
{
    return m_groupView;
}

QWidget* LoginViewController::captchaView() const
{
    return m_captchaView;
}

TextField* LoginViewController::username() const
{
    return m_username;
}

TextField* LoginViewController::password() const
{
    return m_password;
}

TextField* LoginViewController::captcha() const
{
    return m_captcha;
}

ImageView* LoginViewController::imageView() const
{
    return m_imageView;
}

Switch* LoginViewController::automaticLogin() const
{
    return m_automaticLogin;
}

Button* LoginViewController::loginBtn() const
{
    return m_loginBtn;
}

Button* LoginViewController::infoBtn() const
{
    return m_infoBtn;
}

InfoView* LoginViewController::infoView() const
{
    return m_infoView;
}

Label* LoginViewController::captchaMessage() const
{
    return m_captchaMessage;
}

Button* LoginViewController::captchaRetryBtn() const
{
    return m_captchaRetryBtn;
}

int LoginViewController::operationCount() const
{
    return m_operationQueue->operationCount() + m_captchaQueue->operationCount();
}

bool LoginViewController::isLoginHeader(const QString& text)
{
    return SiteHosts::isLoginHeader(text);
}

bool LoginViewController::isLoginUrl(const QString& url)
{
    return SiteHosts::isLoginUrl(url);
}

bool LoginViewController::hasCaptchaRequest(const QString& page)
{
    return page.contains(QLatin1String("Validation code:"));
}

bool LoginViewController::isInvalidUsername(const QString& page)
{
    return page.contains(QLatin1String("<b>Error:</b> Erroneous password or validation code"));
}

bool LoginViewController::isInvalidCaptcha(const QString& page)
{
    return page.contains(QLatin1String("<b>Error:</b> Please fill the validation code field"));
}

LoginViewController::Outcome LoginViewController::outcomeFor(const QString& result, bool responseValid,
                                                             bool phoneSystem)
{
    if (!isLoginHeader(result) && responseValid)
        return {true, QStringLiteral("")};
    if (responseValid && isInvalidUsername(result))
        return {false, QStringLiteral("Bad username, password or validation code.")};
    if (responseValid && isInvalidCaptcha(result))
        return {false, QStringLiteral("Missing captcha image information.  Try again.")};
    if (responseValid && phoneSystem)
        return {false, QStringLiteral("Unknown login error.  Verify you have cookies enabled.  "
                                      "Goto Settings->Safari->Accept Cookies.  Select 'From visited' "
                                      "or 'Always' and restart the app.")};
    if (responseValid)
        return {false, QStringLiteral("Unknown login error.  The site's sign-in cookie was not kept.  iTarnvale keeps "
                                      "its cookies in %1, which must be writable: check that file and its folder, "
                                      "then sign in again.")
                           .arg(QDir::toNativeSeparators(CookieStore::shared().storagePath()))};
    return {false, QStringLiteral("Connection error.")};
}

QUrl LoginViewController::noticeUrl()
{
    // The values go in as they are; the service reads them back the same way.
    const QString version = Bundle::infoValue(QStringLiteral("CFBundleVersion")).toString();
    QString model = Device::model();
    model.remove(QLatin1Char(' '));
    return QUrl(QStringLiteral("http://") + SiteHosts::noticeHost()
                + QStringLiteral("/itarnvale.php?v=%1&m=%2&p=%3").arg(version, model, Device::systemVersion()));
}

void LoginViewController::loadView()
{
    // Everything on the screen, and where it stands, comes from the interface layout.
    auto* scrollView = qobject_cast<ScrollView*>(InterfaceLayout::load(QStringLiteral("LoginView")));
    Q_ASSERT(scrollView);
    m_scrollView = scrollView;
    m_form = outlet<QWidget>(scrollView, "formView");
    m_groupView = outlet<QWidget>(scrollView, "groupView");
    m_captchaView = outlet<QWidget>(scrollView, "captchaView");
    m_username = outlet<TextField>(scrollView, "username");
    m_password = outlet<TextField>(scrollView, "password");
    m_captcha = outlet<TextField>(scrollView, "captcha");
    m_imageView = outlet<ImageView>(scrollView, "imageView");
    m_automaticLogin = outlet<Switch>(scrollView, "automaticLogin");
    m_loginBtn = outlet<Button>(scrollView, "loginBtn");
    m_infoBtn = outlet<Button>(scrollView, "infoButton");
    m_infoView = outlet<InfoView>(scrollView, "infoView");
    m_captchaMessage = outlet<Label>(scrollView, "captchaMessage");
    m_captchaRetryBtn = outlet<Button>(scrollView, "captchaRetryBtn");

    for (TextField* field : {m_username.data(), m_password.data(), m_captcha.data()}) {
        field->setDelegate(this);
        connect(field, &QLineEdit::textChanged, this, &LoginViewController::fieldsChanged);
    }
    // What the user types outranks a keychain answer still to come.
    connect(m_password, &QLineEdit::textEdited, this, [this] { m_passwordPending = false; });
    connect(m_automaticLogin, &Switch::valueChanged, this, &LoginViewController::fieldsChanged);
    connect(m_captchaRetryBtn, &Button::touchUpInside, this, [this] { reloadCaptchaImage(); });
    connect(m_loginBtn, &Button::touchUpInside, this, [this](Button* sender) { login(sender); });
    connect(m_infoBtn, &Button::touchUpInside, this, [this] { toggleInfoView(); });
    setView(scrollView);
}

void LoginViewController::viewDidLoad()
{
    hideCaptchaView();
    const QRect bounds = Device::screenBounds();
    m_scrollView->setGeometry(QRect(m_scrollView->pos(), bounds.size()));
    m_infoView->setGeometry(bounds);
    m_infoView->hide();
    placeInfoButton();
    connect(m_infoView->returnBtn(), &Button::touchUpInside, this, [this] { returnView(); });

    m_username->setText(Settings::username());
    m_password->setText(Settings::password());
    if (!Settings::isPasswordLoaded()) {
        // The keychain has not answered yet (a locked keyring waits for the user): the field
        // takes its answer when it comes, and a sign-in waits for it.
        m_passwordPending = true;
        Settings::whenPasswordLoaded(this, [this] { passwordLoaded(); });
    }
    m_automaticLogin->setOn(Settings::automaticLogin());
    fieldsChanged();

    m_imageView->setBackgroundColor(Qt::transparent);
    m_keyboardVisible = false;
    m_captchaOn = false;
    KeyboardNotifier* keyboard = KeyboardNotifier::instance();
    connect(keyboard, &KeyboardNotifier::keyboardWasShown, this, &LoginViewController::keyboardWasShown);
    connect(keyboard, &KeyboardNotifier::keyboardWasHidden, this, &LoginViewController::keyboardWasHidden);

    // The donation button takes the place the form keeps for it.
    makeDonateButton();

    m_scrollView->setDelaysContentTouches(true);
    m_scrollView->setCanCancelContentTouches(false);
}

void LoginViewController::makeDonateButton()
{
    QWidget* place = outlet<QWidget>(m_form, "donatePlace");
    const QRect donateFrame = place->geometry();
    m_donate = new DonateViewController(donateFrame, this, this);
    QWidget* donateView = m_donate->view();
    donateView->setParent(m_form);
    donateView->setGeometry(donateFrame);
    donateView->stackUnder(place);
    donateView->show();
    delete place;
}

void LoginViewController::fieldsChanged()
{
    QMutexLocker lock(&m_fieldsLock);
    m_usernameText = m_username ? m_username->text() : QString();
    m_passwordText = m_password ? m_password->text() : QString();
    m_captchaText = m_captcha ? m_captcha->text() : QString();
    m_automaticLoginOn = m_automaticLogin && m_automaticLogin->isOn();
}

QString LoginViewController::captchaChallenge() const
{
    QMutexLocker lock(&m_fieldsLock);
    return m_captchaChallenge;
}

void LoginViewController::showLoading(const QString& text, int offset)
{
    m_loading = LoadingIndicator::sharedInstance();
    m_loading->setParentView(view());
    m_loading->setString(text);
    m_loading->setOffset(offset);
    m_loading->showLoadingIndicators();
}

void LoginViewController::hideLoading()
{
    if (m_loading)
        m_loading->hideLoadingIndicators();
}

void LoginViewController::login(Button*)
{
    view();
    m_loginBtn->setEnabled(false);
    showLoading(kPleaseWait, kPleaseWaitOffset);
    if (m_passwordPending)
        m_loginWaitsForPassword = true;
    else
        startLoginCheck();
    m_password->resignFirstResponder();
    m_username->resignFirstResponder();
}

void LoginViewController::startLoginCheck()
{
    m_operationQueue->addOperation(std::make_unique<FetchPageLoginCheck>(
        SiteHosts::loginUrl(), this,
        static_cast<void (LoginViewController::*)(std::shared_ptr<HttpRequestRegEx>)>(&LoginViewController::doLogin)));
}

void LoginViewController::passwordLoaded()
{
    if (!m_passwordPending)
        return;
    m_passwordPending = false;
    m_password->setText(Settings::password());
    if (std::exchange(m_loginWaitsForPassword, false))
        startLoginCheck();
}

void LoginViewController::tryAutoLogin()
{
    view();
    if (m_automaticLogin->isOn())
        login(nullptr);
}

void LoginViewController::doLogin(std::shared_ptr<HttpRequestRegEx> page)
{
    doLogin(page, Callback<std::shared_ptr<HttpRequest>>(this, &LoginViewController::loginResult));
}

void LoginViewController::doLogin(const std::shared_ptr<HttpRequestRegEx>& page,
                                  Callback<std::shared_ptr<HttpRequest>> callback, bool deliverOnWorkerThread)
{
    // A renewal runs this on a worker: it works from the copies of the fields only.
    QString username, password, captcha, challenge;
    bool automatic = false;
    {
        QMutexLocker lock(&m_fieldsLock);
        username = m_usernameText;
        password = m_passwordText;
        captcha = m_captchaText;
        challenge = m_captchaChallenge;
        automatic = m_automaticLoginOn;
    }
    Settings::setUsername(username);
    Settings::setPassword(password);
    Settings::setAutomaticLogin(automatic);

    if (page && !isLoginHeader(page->result()) && page->isResponseValid()) {
        triedLoggingIn({true, QStringLiteral("")});
        return;
    }
    auto signIn = std::make_unique<FetchPageSignIn>(SiteHosts::loginUrl(), username, password, challenge,
                                                    captcha, std::move(callback));
    signIn->setDeliversOnWorkerThread(deliverOnWorkerThread);
    m_operationQueue->addOperation(std::move(signIn));
}

void LoginViewController::loginResult(std::shared_ptr<HttpRequest> request)
{
    const QString result = request ? request->result() : QString();
    const bool valid = request && request->isResponseValid();
    triedLoggingIn(outcomeFor(result, valid));
    if (hasCaptchaRequest(result))
        showCaptchaView();
    else
        hideCaptchaView();
}

void LoginViewController::triedLoggingIn(const Outcome& outcome)
{
    if (outcome.success) {
        runNoticeCheck();
        return;
    }
    auto* alert = new AlertView(QStringLiteral("Login failed."), outcome.message, this, QStringLiteral("Cancel"));
    alert->setTag(0);
    alert->show();
    m_loginBtn->setEnabled(true);
    hideLoading();
}

void LoginViewController::runNoticeCheck()
{
    // Asked on this thread on purpose: the screen waits for the service's word, at most
    // kNoticeTimeoutSeconds.
    HttpRequest notice(noticeUrl());
    notice.setTimeout(kNoticeTimeoutSeconds);
    notice.request();
    const QString answer = notice.result();
    if (!notice.isResponseValid() || answer.isEmpty()) {
        switchView();
        return;
    }
    const QStringList fields = answer.split(QLatin1Char(':'));
    const QString word = fields.value(0);
    const QString message = fields.value(1, QStringLiteral(""));
    if (word == QLatin1String("STOP")) {
        auto* alert = new AlertView(QStringLiteral("Login error"), message, this, QStringLiteral("OK"));
        alert->setTag(0);
        alert->show();
        m_loginBtn->setEnabled(true);
        hideLoading();
    } else if (word == QLatin1String("GO")) {
        auto* alert = new AlertView(QStringLiteral(""), message, this, QStringLiteral("OK"));
        alert->setTag(1);
        alert->show();
        hideLoading();
    } else {
        switchView();
    }
}

void LoginViewController::clickedButtonAtIndex(AlertView* alertView, int)
{
    if (alertView && alertView->tag() == 1)
        switchView();
}

void LoginViewController::didDismissWithButtonIndex(AlertView* alertView, int)
{
    // After a refusal the keyboard goes where the next answer is typed: the captcha when one
    // shows, else the password; the user name is not left selected for overtyping.
    if (!alertView || alertView->tag() != 0 || !m_username)
        return;
    m_username->deselect();
    if (m_captchaOn)
        m_captcha->becomeFirstResponder();
    else
        m_password->becomeFirstResponder();
}

void LoginViewController::switchView()
{
    hideLoading();
    {
        QMutexLocker lock(&m_fieldsLock);
        m_captchaChallenge = QStringLiteral("");
    }
    if (m_captcha)
        m_captcha->clear();
    Q_EMIT switchedView();
    if (m_sessionSwitch)
        m_sessionSwitch->switchViews();
}

void LoginViewController::placeInfoButton()
{
    QWidget* screen = m_form ? m_form->parentWidget() : nullptr;
    if (!screen || !m_infoBtn || m_form->width() >= screen->width())
        return;
    // The column is centred: within it the button stood 224 points in from the tablet's edge.
    const QPoint fromCorner(m_form->width() - m_infoBtn->x(), m_form->height() - m_infoBtn->y());
    m_infoBtn->setParent(screen);
    m_infoBtn->move(screen->width() - fromCorner.x(), m_form->y() + m_form->height() - fromCorner.y());
    m_infoBtn->show();
}

void LoginViewController::setBackground()
{
    QString name;
    if (Device::userInterfaceIdiom() == Device::Idiom::Pad)
        name = QStringLiteral("loginBackShortIpad.png");
    else if (Device::screenBounds().height() == 568)
        name = m_captchaOn ? QStringLiteral("loginBack5.png") : QStringLiteral("loginBackShort5.png");
    else
        name = m_captchaOn ? QStringLiteral("loginBack.png") : QStringLiteral("loginBackShort.png");
    m_backgroundName = name;
    QPalette palette = m_scrollView->palette();
    palette.setBrush(QPalette::Window, QBrush(Bundle::imageNamed(name)));
    m_scrollView->setPalette(palette);
}

void LoginViewController::keyboardWasShown()
{
    if (!m_keyboardVisible && m_captchaOn) {
        m_scrollView->setContentOffset(QPointF(0, 30), true);
        m_keyboardVisible = true;
    }
}

void LoginViewController::keyboardWasHidden()
{
    // Also when the captcha went away meanwhile: the screen never stays scrolled up.
    if (m_captchaOn || m_keyboardVisible) {
        m_scrollView->setContentOffset(QPointF(0, 0), true);
        m_keyboardVisible = false;
    }
}

bool LoginViewController::textFieldShouldReturn(TextField* textField)
{
    // Return signs in from the password (unless a captcha still wants its answer) and from
    // the captcha's answer, as the sign-in button does when it may be pressed.
    const bool signIn = textField == m_captcha || (textField == m_password && !(m_captchaOn && m_captcha->text().isEmpty()));
    if (textField == m_username)
        m_password->becomeFirstResponder();
    else if (textField == m_password && !signIn)
        m_captcha->becomeFirstResponder();
    else if (signIn && m_loginBtn->isEnabled())
        login(m_loginBtn);
    return true;
}

void LoginViewController::textFieldDidEndEditing(TextField* textField)
{
    if (textField)
        textField->resignFirstResponder();
}

void LoginViewController::toggleInfoView()
{
    m_infoView->updateVersion();
    m_infoView->setGeometry(QRect(QPoint(0, 0), m_scrollView->size()));
    const QPixmap screen = m_scrollView->grab();
    const QPixmap info = m_infoView->grab();
    FlipTransition::flip(m_scrollView, screen, info, FlipTransition::From::Right,
                         [info = QPointer<InfoView>(m_infoView)] {
                             if (info) {
                                 info->show();
                                 info->raise();
                             }
                         });
}

void LoginViewController::returnView()
{
    const QPixmap info = m_infoView->grab();
    m_infoView->hide();
    const QPixmap screen = m_scrollView->grab();
    FlipTransition::flip(m_scrollView, info, screen, FlipTransition::From::Left, {});
}
