#include "site/HttpRequestRegExUserInfo.h"

#include "platform/core/CookieStore.h"
#include "site/UserInfo.h"
#include "util/Regex.h"

#include <QStringDecoder>

#include <optional>

const QString HttpRequestRegExUserInfo::kProfileLinkPattern =
    QStringLiteral(R"RX(href="/users/.*?" class="user".*?border="0">(.*?)</a>)RX");

HttpRequestRegExUserInfo::HttpRequestRegExUserInfo()
    : HttpRequest(QUrl())
{
}

QString HttpRequestRegExUserInfo::decodePage(const QByteArray& data)
{
    bool ascii = true;
    for (const char byte : data) {
        if (static_cast<unsigned char>(byte) > 127) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(data.isNull() ? QByteArray("") : data);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(data);
    return utf8.hasError() ? QString() : text;
}

QString HttpRequestRegExUserInfo::usernameFromPage(const QString& page)
{
    const std::optional<QStringList> link = Regex::firstMatch(kProfileLinkPattern, page);
    if (!link || link->size() < 2)
        return QString();
    return link->at(1).trimmed();
}

void HttpRequestRegExUserInfo::request()
{
    const QString page = decodePage(m_pageData);
    if (page.isNull())
        return;
    setResult(page);
    const QString name = usernameFromPage(page);
    m_userInfo = &UserInfo::sharedInstance();
    // The cookie enumerated last wins.
    std::optional<QString> uid;
    for (const Cookie& cookie : CookieStore::shared().cookies()) {
        if (cookie.name == QLatin1String("uid"))
            uid = cookie.value;
    }
    if (uid)
        m_userInfo->setIds(*uid);
    if (!name.isNull())
        m_userInfo->setUsername(name);
}
