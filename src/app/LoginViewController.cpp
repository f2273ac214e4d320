#include "app/LoginViewController.h"

#include "site/HttpRequest.h"
#include "site/HttpRequestRegEx.h"
#include "site/SiteHosts.h"

LoginViewController::LoginViewController(SwitchViewController*, QObject* parent)
    : ViewController(parent)
{
}

LoginViewController::~LoginViewController() = default;

bool LoginViewController::isLoginHeader(const QString& text)
{
    return SiteHosts::isLoginHeader(text);
}

bool LoginViewController::isLoginUrl(const QString& url)
{
    return SiteHosts::isLoginUrl(url);
}

void LoginViewController::tryAutoLogin()
{
}

void LoginViewController::doLogin(const std::shared_ptr<HttpRequestRegEx>&,
                                  Callback<std::shared_ptr<HttpRequest>>, bool)
{
}
