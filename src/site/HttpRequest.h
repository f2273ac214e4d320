#pragma once

#include "platform/core/FetchFailure.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

struct UrlRequest;

class MultipartSource;

// One synchronous, browser-like HTTP exchange with the site or a remote client. Configure
// it, call request() on a worker thread, then read result(), headers(), isResponseValid().
// When the site answers its sign-in page while the main tabs are shown, request() waits for
// one silent renewal of the session (SessionKeeper) and sends the request again.
class HttpRequest
{
public:
    static const char kDesktopUserAgent[];
    static const char kPhoneUserAgent[];

    explicit HttpRequest(const QUrl& url);
    virtual ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    QUrl url() const { return m_url; }
    void setUrl(const QUrl& url) { m_url = url; }
    QString type() const { return m_type; }
    void setType(const QString& type) { m_type = type; }
    QString postData() const { return m_postData; }
    void setPostData(const QString& data) { m_postData = data; }
    // The remote client adapter that supplies a multipart body; not owned.
    const MultipartSource* client() const { return m_client; }
    void setClient(const MultipartSource* client) { m_client = client; }
    QString username() const { return m_username; }
    void setUsername(const QString& name) { m_username = name; }
    QString password() const { return m_password; }
    void setPassword(const QString& password) { m_password = password; }
    // Added as they stand, in this order.
    QList<QPair<QString, QString>> extraHeaders() const { return m_extraHeaders; }
    void setExtraHeaders(const QList<QPair<QString, QString>>& headers) { m_extraHeaders = headers; }
    bool overwriteUserAgent() const { return m_overwriteUserAgent; }
    void setOverwriteUserAgent(bool desktop) { m_overwriteUserAgent = desktop; }
    int timeout() const { return m_timeout; }
    void setTimeout(int seconds) { m_timeout = seconds; }

    // Performs the exchange, blocking the calling thread. Subclasses call this first and
    // then work on result().
    virtual void request();

    // Absent (nullopt) when no response arrived.
    const std::optional<QByteArray>& responseData() const { return m_responseData; }
    bool hasResponse() const { return m_statusCode != 0; }
    int statusCode() const { return m_statusCode; } // 0 when no response arrived
    QUrl responseUrl() const { return m_responseUrl; }
    // Header fields of the last HTTP response (repeated names joined with ", ").
    QList<QPair<QString, QString>> headers() const { return m_headers; }
    QString headerValue(const QString& name) const; // case-insensitive; null when absent
    // The decoded body (or what a subclass extracted); null when absent, empty when no
    // response arrived.
    QString result() const { return m_result; }
    bool isResponseValid() const { return m_statusCode >= 200 && m_statusCode < 302; }
    // Why the exchange failed, for a screen to say: no answer (time-out, refused, host not
    // found, cut short), an answer with a status of 400 or more, or the sign-in page after a
    // failed renewal. Kind None when an answer arrived that a caller may read.
    const FetchFailure& failure() const { return m_failure; }

    // How an answer's bytes become result(): UTF-8 first; bytes that are not valid UTF-8 get
    // one more chance as plain ASCII, which fails on any byte above 127. Null when neither
    // worked, empty for no bytes.
    static QString decodeBody(const QByteArray& body);

    // The exchange request() sends, headers and all.
    UrlRequest urlRequest() const;

protected:
    void setResult(const QString& result) { m_result = result; }

private:
    // One attempt: build, send, decode. Returns whether a response arrived.
    void attempt();
    bool isSessionLost() const;

    QUrl m_url;
    QString m_type = QStringLiteral("GET");
    QString m_postData;
    const MultipartSource* m_client = nullptr;
    QString m_username;
    QString m_password;
    QList<QPair<QString, QString>> m_extraHeaders;
    bool m_overwriteUserAgent = true;
    int m_timeout = 0;

    std::optional<QByteArray> m_responseData;
    int m_statusCode = 0;
    QUrl m_responseUrl;
    QList<QPair<QString, QString>> m_headers;
    QString m_result;
    FetchFailure m_failure;
};
