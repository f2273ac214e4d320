#include "site/FetchPageSignIn.h"

#include "site/HttpRequestRegExUserInfo.h"
#include "site/SiteHosts.h"
#include "util/TextUtilities.h"

#include <QStringList>

namespace {

// Spaces become "+", as a browser sends them; everything else is escaped, so a "+" typed
// by the user arrives as one and not as a space.
QString escapeAnswer(const QString& answer)
{
    QStringList words = answer.split(QLatin1Char(' '));
    for (QString& word : words)
        word = stringWithPercentEscape(word);
    return words.join(QLatin1Char('+'));
}

} // namespace

FetchPageSignIn::FetchPageSignIn(const QUrl& url, const QString& username, const QString& password,
                                 const QString& captchaChallenge, const QString& captchaResponse,
                                 Callback<std::shared_ptr<HttpRequest>> callback)
    : FetchPageOf(url, std::move(callback))
    , m_username(username)
    , m_password(password)
    , m_captchaChallenge(captchaChallenge)
    , m_captcha(captchaResponse)
{
}

QString FetchPageSignIn::formBody(const QString& username, const QString& password,
                                  const QString& captchaChallenge, const QString& captcha)
{
    // Built by concatenation: the fixed parts hold percent signs of their own.
    const QString credentials = QStringLiteral("nickname=") + stringWithPercentEscape(username)
                                + QStringLiteral("&password=") + stringWithPercentEscape(password);
    if (captchaChallenge.isEmpty())
        return credentials + QStringLiteral("&Submit=submit&returnpath=%2F&withq=0&re_ch=&validation=");
    return credentials
           + QStringLiteral("&Submit=submit&returnpath=%2F%3Frel%3D1292368595&withq=1&re_ch=")
           + stringWithPercentEscape(captchaChallenge) + QStringLiteral("&validation=") + escapeAnswer(captcha);
}

void FetchPageSignIn::main()
{
    auto request = std::make_shared<HttpRequest>(url());
    request->setType(QStringLiteral("POST"));
    QString host = url().host();
    if (url().port() > 0)
        host += QLatin1Char(':') + QString::number(url().port());
    request->setExtraHeaders({{QStringLiteral("Host"), host},
                              {QStringLiteral("Referer"), url().toString()}});
    request->setPostData(formBody(m_username, m_password, m_captchaChallenge, m_captcha));
    request->request();
    if (request->isResponseValid() && !SiteHosts::isLoginHeader(request->result())) {
        HttpRequestRegExUserInfo userInfo;
        userInfo.setPageData(request->responseData().value_or(QByteArray()));
        userInfo.request();
    }
    setReturnObject(std::move(request));
    FetchPageOf::main();
}
