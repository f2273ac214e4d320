#include "app/LoginViewController.h"

#include "app/FlipTransition.h"
#include "app/LoadingIndicator.h"
#include "app/SwitchViewController.h"
#include "pages/DonateViewController.h"
#include "platform/core/OperationQueue.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "settings/Settings.h"
#include "site/FetchPageCaptcha.h"
#include "site/FetchPageLoginCheck.h"
#include "site/FetchPageSignIn.h"
#include "site/HttpRequest.h"
#include "site/HttpRequestRegEx.h"
#include "site/ImageLoader.h"
#include "site/SiteHosts.h"
#include "views/InfoView.h"

#include <QMutexLocker>
#include <QPropertyAnimation>

namespace {

const QString kPleaseWait = QStringLiteral("Please wait...");
const QString kLoadingImage = QStringLiteral("Loading image...");
constexpr int kPleaseWaitOffset = 150;
constexpr int kLoadingImageOffset = -30;
constexpr int kFormWidth = 320;
const QRect kDonateFrame(80, 370, 160, 50);
const QRect kCaptchaFrame(22, 177, 276, 88);

} // namespace

LoginViewController::LoginViewController(SwitchViewController* switchViewController, QObject* parent)
    : ViewController(parent)
    , m_switchViewController(switchViewController)
    , m_operationQueue(std::make_unique<OperationQueue>(1))
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

LoginViewController::Outcome LoginViewController::outcomeFor(const QString& result, bool responseValid)
{
    if (!isLoginHeader(result) && responseValid)
        return {true, QStringLiteral("")};
    if (responseValid && isInvalidUsername(result))
        return {false, QStringLiteral("Bad username, password or validation code.")};
    if (responseValid && isInvalidCaptcha(result))
        return {false, QStringLiteral("Missing captcha image information.  Try again.")};
    if (responseValid)
        return {false, QStringLiteral("Unknown login error.  Verify you have cookies enabled.  "
                                      "Goto Settings->Safari->Accept Cookies.  Select 'From visited' "
                                      "or 'Always' and restart the app.")};
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
    auto* scrollView = new ScrollView;
    const QRect bounds = Device::screenBounds();
    scrollView->resize(bounds.size());
    scrollView->setContentSize(bounds.size());
    scrollView->setAutoFillBackground(true);
    m_scrollView = scrollView;

    // The form keeps the phone's 320-point layout; wider screens centre it.
    auto* form = new QWidget;
    form->setGeometry((bounds.width() - kFormWidth) / 2, 0, kFormWidth, bounds.height());
    m_form = form;
    buildForm(form);
    scrollView->addSubview(form);
    setView(scrollView);
}

void LoginViewController::buildForm(QWidget* form)
{
    const QColor white(Qt::white);
    auto makeField = [this](QWidget* parent, const QRect& frame, const QString& placeholder) {
        auto* field = new TextField(parent);
        field->setGeometry(frame);
        field->setBorderStyle(TextField::BorderStyle::RoundedRect);
        field->setPlaceholder(placeholder);
        field->setFont(Fonts::systemFont(15));
        field->setDelegate(this);
        connect(field, &QLineEdit::textChanged, this, &LoginViewController::fieldsChanged);
        return field;
    };

    m_groupView = new QWidget(form);
    m_groupView->setObjectName(QStringLiteral("groupView"));
    m_groupView->setGeometry(QRect(kGroupOriginPlain, QSize(276, 95)));
    m_username = makeField(m_groupView, QRect(0, 0, 276, 28), QStringLiteral("Username"));
    m_username->setObjectName(QStringLiteral("username"));
    m_username->setReturnKeyType(TextField::ReturnKeyType::Next);
    m_password = makeField(m_groupView, QRect(0, 33, 276, 28), QStringLiteral("Password"));
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setSecureTextEntry(true);
    m_password->setReturnKeyType(TextField::ReturnKeyType::Done);
    auto* autoLabel = new Label(QStringLiteral("Auto login"), m_groupView);
    autoLabel->setGeometry(0, 64, 78, 31);
    autoLabel->setTextColor(white);
    autoLabel->setFont(Fonts::boldSystemFont(14));
    m_automaticLogin = new Switch(m_groupView);
    m_automaticLogin->setObjectName(QStringLiteral("automaticLogin"));
    m_automaticLogin->setGeometry(80, 64, 51, 31);
    connect(m_automaticLogin, &Switch::valueChanged, this, &LoginViewController::fieldsChanged);
    m_loginBtn = new Button(Button::Type::RoundedRect, m_groupView);
    m_loginBtn->setObjectName(QStringLiteral("loginBtn"));
    m_loginBtn->setGeometry(166, 64, 110, 31);
    m_loginBtn->setTitle(QStringLiteral("Login"));
    m_loginBtn->setTitleFont(Fonts::boldSystemFont(15));
    m_loginBtn->setTitleColor(QColor(50, 79, 133));
    m_loginBtn->setTitleColor(QColor(160, 160, 160), Button::State::Disabled);
    connect(m_loginBtn, &Button::touchUpInside, this, [this](Button* sender) { login(sender); });

    // The captcha group: only in the form while the site asks for a captcha.
    m_captchaView = new QWidget(form);
    m_captchaView->setObjectName(QStringLiteral("captchaView"));
    m_captchaView->setGeometry(kCaptchaFrame);
    m_imageView = new ImageView(m_captchaView);
    m_imageView->setObjectName(QStringLiteral("imageView"));
    m_imageView->setGeometry(0, 0, 276, 52);
    m_captcha = makeField(m_captchaView, QRect(0, 58, 276, 30), QStringLiteral("Type the words above"));
    m_captcha->setObjectName(QStringLiteral("captcha"));
    m_captcha->setReturnKeyType(TextField::ReturnKeyType::Done);
    m_captchaView->hide();

    m_infoBtn = new Button(Button::Type::InfoLight, form);
    m_infoBtn->setObjectName(QStringLiteral("infoBtn"));
    m_infoBtn->setGeometry(kFormWidth - 38, form->height() - 38, 30, 30);
    connect(m_infoBtn, &Button::touchUpInside, this, [this] { toggleInfoView(); });
}

void LoginViewController::viewDidLoad()
{
    hideCaptchaView();
    const QRect bounds = Device::screenBounds();
    m_scrollView->setGeometry(QRect(m_scrollView->pos(), bounds.size()));
    m_infoView = new InfoView(m_scrollView);
    m_infoView->setObjectName(QStringLiteral("infoView"));
    m_infoView->setGeometry(bounds);
    m_infoView->hide();
    connect(m_infoView->returnBtn(), &Button::touchUpInside, this, [this] { returnView(); });

    m_username->setText(Settings::username());
    m_password->setText(Settings::password());
    m_automaticLogin->setOn(Settings::automaticLogin());
    fieldsChanged();

    m_imageView->setBackgroundColor(Qt::transparent);
    m_keyboardVisible = false;
    m_captchaOn = false;
    KeyboardNotifier* keyboard = KeyboardNotifier::instance();
    connect(keyboard, &KeyboardNotifier::keyboardWasShown, this, &LoginViewController::keyboardWasShown);
    connect(keyboard, &KeyboardNotifier::keyboardWasHidden, this, &LoginViewController::keyboardWasHidden);

    m_donate = new DonateViewController(kDonateFrame, this, this);
    QWidget* donateView = m_donate->view();
    donateView->setParent(m_form);
    donateView->setGeometry(kDonateFrame);
    donateView->show();

    m_scrollView->setDelaysContentTouches(true);
    m_scrollView->setCanCancelContentTouches(false);
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
    m_operationQueue->addOperation(std::make_unique<FetchPageLoginCheck>(
        SiteHosts::loginUrl(), this,
        static_cast<void (LoginViewController::*)(std::shared_ptr<HttpRequestRegEx>)>(&LoginViewController::doLogin)));
    m_password->resignFirstResponder();
    m_username->resignFirstResponder();
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
    if (m_switchViewController)
        m_switchViewController->switchViews();
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

void LoginViewController::showCaptchaView()
{
    reloadCaptchaImage();
    m_captchaView->show();
    m_captchaView->raise();
    auto* move = new QPropertyAnimation(m_groupView, "pos", m_groupView);
    move->setDuration(kAnimationMilliseconds);
    move->setEndValue(kGroupOriginWithCaptcha);
    move->start(QAbstractAnimation::DeleteWhenStopped);
    m_captchaOn = true;
    setBackground();
}

void LoginViewController::hideCaptchaView()
{
    m_captchaView->hide();
    // A move still under way would carry the group back down.
    for (auto* animation : m_groupView->findChildren<QPropertyAnimation*>())
        animation->stop();
    m_groupView->move(kGroupOriginPlain);
    m_captchaOn = false;
    setBackground();
}

void LoginViewController::reloadCaptchaImage()
{
    showLoading(kLoadingImage, kLoadingImageOffset);
    m_loginBtn->setEnabled(false);
    m_operationQueue->addOperation(
        std::make_unique<FetchPageCaptcha>(SiteHosts::loginUrl(), this, &LoginViewController::saveCaptchaImage));
}

void LoginViewController::saveCaptchaImage(QMap<QString, QString> captcha)
{
    m_loginBtn->setEnabled(true);
    hideLoading();
    {
        QMutexLocker lock(&m_fieldsLock);
        m_captchaChallenge = captcha.value(QStringLiteral("captchaChallenge"));
    }
    m_operationQueue->addOperation(std::make_unique<ImageLoader>(
        QUrl(captcha.value(QStringLiteral("image"))), this, &LoginViewController::loadCaptchaImage));
}

void LoginViewController::loadCaptchaImage(LoadedImage image)
{
    m_imageView->setImage(image.image);
    m_imageView->setCornerRadius(10);
    m_imageView->setClipsToBounds(true);
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
    if (textField == m_username) {
        m_password->becomeFirstResponder();
    } else if (textField == m_password) {
        if (m_captchaOn)
            m_captcha->becomeFirstResponder();
        else
            m_password->resignFirstResponder();
    } else if (textField == m_captcha) {
        m_captcha->resignFirstResponder();
    }
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
