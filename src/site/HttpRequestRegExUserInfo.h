#pragma once

#include "site/HttpRequest.h"

#include <QByteArray>
#include <QString>

class UserInfo;

// Fills the shared UserInfo from a signed-in page already received: the user name from the
// profile link in the page header, the id from the "uid" cookie. Sends nothing.
class HttpRequestRegExUserInfo : public HttpRequest
{
public:
    static const QString kProfileLinkPattern;

    HttpRequestRegExUserInfo();

    // The bytes of the answer to read.
    QByteArray pageData() const { return m_pageData; }
    void setPageData(const QByteArray& data) { m_pageData = data; }

    // Null before request() has run.
    UserInfo* userInfo() const { return m_userInfo; }

    // Decodes the bytes (ASCII, else UTF-8; undecodable bytes change nothing), then sets
    // UserInfo's name when the page has the profile link and its id from the last "uid"
    // cookie of the shared cookie store.
    void request() override;

    // The decoding: ASCII first, else UTF-8; null when both fail.
    static QString decodePage(const QByteArray& data);
    // The user name the page shows in its profile link, trimmed; null without the link.
    static QString usernameFromPage(const QString& page);

private:
    QByteArray m_pageData;
    UserInfo* m_userInfo = nullptr;
};
