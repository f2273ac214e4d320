#pragma once

#include "site/FetchPageOf.h"
#include "site/HttpRequest.h"

#include <QString>

#include <memory>

// Posts the sign-in form to the sign-in endpoint. Delivers the request itself (callers read
// result() and isResponseValid()); a valid answer that is not the sign-in page has filled
// UserInfo. For the silent renewal, set deliversOnWorkerThread.
class FetchPageSignIn : public FetchPageOf<std::shared_ptr<HttpRequest>>
{
public:
    FetchPageSignIn(const QUrl& url, const QString& username, const QString& password,
                    const QString& captchaChallenge, const QString& captchaResponse,
                    Callback<std::shared_ptr<HttpRequest>> callback);

    template <typename Target, typename Member>
        requires std::constructible_from<Callback<std::shared_ptr<HttpRequest>>, Target*, Member>
    FetchPageSignIn(const QUrl& url, const QString& username, const QString& password,
                    const QString& captchaChallenge, const QString& captchaResponse,
                    Target* target, Member selector)
        : FetchPageSignIn(url, username, password, captchaChallenge, captchaResponse,
                          Callback<std::shared_ptr<HttpRequest>>(target, selector))
    {
    }

    QString username() const { return m_username; }
    QString password() const { return m_password; }
    QString captchaChallenge() const { return m_captchaChallenge; }
    QString captcha() const { return m_captcha; }

    // The url-encoded form. User name, password and captcha answer are percent-escaped
    // (the answer's spaces are sent as "+"); the challenge goes as received.
    static QString formBody(const QString& username, const QString& password,
                            const QString& captchaChallenge, const QString& captcha);

    void main() override;

private:
    QString m_username;
    QString m_password;
    QString m_captchaChallenge;
    QString m_captcha;
};
