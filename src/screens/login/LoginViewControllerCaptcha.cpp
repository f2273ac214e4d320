#include "screens/login/LoginViewController.h"

#include "platform/core/OperationQueue.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "site/FetchPageCaptcha.h"
#include "site/ImageLoader.h"
#include "site/SiteHosts.h"

#include <QMutexLocker>
#include <QPropertyAnimation>

// The login screen's captcha: the panel that slides in above the fields, its picture and
// challenge from the captcha service, and what the screen says when the service fails.

namespace {

const QString kLoadingImage = QStringLiteral("Loading image...");
constexpr int kLoadingImageOffset = -30;

} // namespace

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
    m_captchaMessage->hide();
    m_captchaRetryBtn->hide();
    // A move still under way would carry the group back down.
    for (auto* animation : m_groupView->findChildren<QPropertyAnimation*>())
        animation->stop();
    m_groupView->move(kGroupOriginPlain);
    m_captchaOn = false;
    setBackground();
}

void LoginViewController::reloadCaptchaImage()
{
    // An answer typed for the old picture is wrong for the new one.
    m_captcha->clear();
    showLoading(kLoadingImage, kLoadingImageOffset);
    m_loginBtn->setEnabled(false);
    m_captchaMessage->hide();
    m_captchaRetryBtn->hide();
    m_captchaQueue->addOperation(
        std::make_unique<FetchPageCaptcha>(SiteHosts::loginUrl(), this, &LoginViewController::saveCaptchaImage));
}

void LoginViewController::saveCaptchaImage(QMap<QString, QString> captcha)
{
    m_loginBtn->setEnabled(true);
    hideLoading();
    if (!captcha.contains(QStringLiteral("image"))) {
        captchaFailed();
        return;
    }
    {
        QMutexLocker lock(&m_fieldsLock);
        m_captchaChallenge = captcha.value(QStringLiteral("captchaChallenge"));
    }
    m_captchaQueue->addOperation(std::make_unique<ImageLoader>(
        QUrl(captcha.value(QStringLiteral("image"))), this, &LoginViewController::loadCaptchaImage));
}

void LoginViewController::captchaFailed()
{
    // The old picture and challenge belong to a captcha the site has replaced: neither stays.
    {
        QMutexLocker lock(&m_fieldsLock);
        m_captchaChallenge = QStringLiteral("");
    }
    m_imageView->setImage(QImage());
    m_captchaMessage->show();
    m_captchaMessage->raise();
    m_captchaRetryBtn->show();
    m_captchaRetryBtn->raise();
}

void LoginViewController::loadCaptchaImage(LoadedImage image)
{
    m_imageView->setImage(image.image);
    m_imageView->setCornerRadius(10);
    m_imageView->setClipsToBounds(true);
}
