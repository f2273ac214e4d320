#include "site/HttpRequest.h"

#include "platform/core/CookieStore.h"
#include "platform/core/NetworkStatus.h"
#include "platform/core/UrlLoader.h"
#include "site/MultipartSource.h"
#include "site/PagePrefetch.h"
#include "site/SessionKeeper.h"
#include "site/SiteHosts.h"
#include "util/TextUtilities.h"

#include <QStringDecoder>

// The desktop text lacks its closing parenthesis: the site has always seen it this way.
const char HttpRequest::kDesktopUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; Trident/4.0; SLCC2; .NET CLR 2.0.50727; "
    ".NET CLR 3.5.30729; .NET CLR";
const char HttpRequest::kPhoneUserAgent[] =
    "Mozilla/5.0 (iPhone; U; CPU like Mac OS X; en) AppleWebKit/420+ (KHTML, like Gecko) "
    "Version/3.0 Mobile/1C25 Safari/419.3";

namespace {

QString emptyText()
{
    return QString(QLatin1String(""));
}

QByteArray basicCredentials(const QString& user, const QString& password)
{
    return base64Encoding((user + QLatin1Char(':') + password).toUtf8()).toLatin1();
}

} // namespace

QString HttpRequest::decodeBody(const QByteArray& body)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text.isNull() ? emptyText() : text;
    for (const char byte : body) {
        if (static_cast<unsigned char>(byte) > 127)
            return QString();
    }
    return QString::fromLatin1(body);
}

HttpRequest::HttpRequest(const QUrl& url)
    : m_url(url)
{
}

HttpRequest::~HttpRequest() = default;

QString HttpRequest::headerValue(const QString& name) const
{
    for (const auto& header : m_headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return QString();
}

void HttpRequest::request()
{
    // A lost session is renewed once for this request. Should the site answer the sign-in
    // page again after that renewal, the request ends with that page rather than starting
    // renewal after renewal (each of which would post the stored password to the site).
    bool renewed = false;
    for (;;) {
        SessionKeeper* keeper = SessionKeeper::instance();
        const quint64 epoch = keeper ? keeper->validationEpoch() : 0;
        attempt();
        if (!keeper || !isSessionLost())
            return;
        if (renewed) {
            m_failure.kind = FetchFailure::Kind::SignIn;
            return;
        }
        m_result = QString();
        // Only the first of several requests starts a renewal, and none does when one
        // finished while this request was under way.
        if (!keeper->renewSessionSince(epoch)) {
            // The application is quitting: end as an exchange that got no answer.
            m_responseData.reset();
            m_statusCode = 0;
            m_responseUrl = QUrl();
            m_result = emptyText();
            m_failure.kind = FetchFailure::Kind::Other;
            return;
        }
        renewed = true;
    }
}

bool HttpRequest::isSessionLost() const
{
    const SessionKeeper* keeper = SessionKeeper::instance();
    if (!keeper)
        return false;
    if (SiteHosts::isLoginUrl(m_url.toString()))
        return false; // the sign-in endpoint's own answers are never retried
    if (!keeper->showLogin())
        return false; // while the login screen is up the sign-in page is an ordinary answer
    return SiteHosts::isLoginHeader(m_result);
}

UrlRequest HttpRequest::urlRequest() const
{
    UrlRequest request;
    request.url = m_url;
    request.method = m_type.toUtf8();
    auto add = [&request](const QByteArray& name, const QByteArray& value) {
        request.headers.append({name, value});
    };

    if (m_type != QLatin1String("POST")) {
        add("Content-Type", "text/html");
    } else if (m_client) {
        add("Content-Type", QByteArray("multipart/form-data; boundary=") + kMultipartBoundary);
        add("Keep-Alive", "115");
        add("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
        request.body = m_client->getData();
        add("Content-Length", QByteArray::number(m_client->getData().size()));
    } else {
        request.body = m_postData.toUtf8();
        add("Content-Type", "application/x-www-form-urlencoded");
        add("Content-Length", QByteArray::number(request.body.size()));
    }
    for (const auto& header : m_extraHeaders)
        add(header.first.toUtf8(), header.second.toUtf8());
    if (!m_username.isEmpty())
        add("Authorization", "Basic " + basicCredentials(m_username, m_password));
    add("User-Agent", m_overwriteUserAgent ? kDesktopUserAgent : kPhoneUserAgent);

    if (m_timeout != 0)
        request.timeoutSeconds = m_timeout;
    return request;
}

void HttpRequest::attempt()
{
    const UrlRequest request = urlRequest();
    CookieStore::shared().setAcceptPolicyAlways();
    std::optional<UrlResponse> response = PagePrefetch::take(request);
    if (response)
        m_failure = FetchFailure();
    else
        response = UrlLoader::send(request, &m_failure);
    NetworkStatus::report(m_failure, response.has_value());
    if (!response) {
        m_responseData.reset();
        m_statusCode = 0;
        m_responseUrl = QUrl();
        m_result = emptyText();
        return;
    }
    m_responseData = response->body;
    m_statusCode = response->statusCode;
    m_responseUrl = response->url;
    m_result = decodeBody(response->body);
    if (m_statusCode >= 400)
        m_failure = FetchFailure::httpStatus(m_statusCode, m_url.host());

    // Repeated fields are joined with ", " under the first spelling of their name.
    m_headers.clear();
    for (const auto& field : response->headerFields) {
        const QString name = QString::fromLatin1(field.first);
        const QString value = QString::fromUtf8(field.second);
        auto existing = std::find_if(m_headers.begin(), m_headers.end(), [&name](const auto& header) {
            return header.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (existing == m_headers.end())
            m_headers.append({name, value});
        else
            existing->second += QLatin1String(", ") + value;
    }
}
