#include "platform/ui/WebProfile.h"

#include "platform/core/CookieStore.h"
#include "platform/ui/SharedGraphicsContext.h"

#include <QCoreApplication>
#include <QNetworkCookie>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <algorithm>

namespace {

bool g_created = false; // main thread only, as the profile itself

} // namespace

bool WebProfile::isCreated()
{
    return g_created;
}

QWebEngineProfile* WebProfile::shared()
{
    static QWebEngineProfile* profile = [] {
        g_created = true;
        SharedGraphicsContext::ensure();
        // Off the record: no cookie or cache files of the engine's own.
        auto* p = new QWebEngineProfile(QCoreApplication::instance());
        p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        // Pages come over plain http or from the user's own client: none may read local
        // files or, as local content, any address it likes.
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        p->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        return p;
    }();
    return profile;
}

namespace {

QNetworkCookie toNetworkCookie(const Cookie& c, QUrl* origin)
{
    QNetworkCookie cookie(c.name.toUtf8(), c.value.toUtf8());
    cookie.setPath(c.path.isEmpty() ? QStringLiteral("/") : c.path);
    cookie.setSecure(c.secure);
    cookie.setHttpOnly(c.httpOnly);
    if (c.expires.isValid())
        cookie.setExpirationDate(c.expires);
    // A domain with a leading dot covers its sub-domains; one without is a host cookie,
    // which the engine takes by its origin.
    QString host = c.domain;
    if (host.startsWith(QLatin1Char('.'))) {
        cookie.setDomain(host);
        host = host.mid(1);
    }
    origin->setScheme(c.secure ? QStringLiteral("https") : QStringLiteral("http"));
    origin->setHost(host);
    origin->setPath(QStringLiteral("/"));
    return cookie;
}

} // namespace

void WebProfile::copyCookies()
{
    // Cookies copied before and since deleted from our store (a log-out) leave the
    // engine too; cookies that pages set in the engine themselves stay.
    static QList<Cookie> copied;
    QWebEngineCookieStore* store = shared()->cookieStore();
    const QList<Cookie> cookies = CookieStore::shared().cookies();
    for (const Cookie& old : std::as_const(copied)) {
        const bool kept = std::any_of(cookies.begin(), cookies.end(), [&](const Cookie& c) {
            return c.name == old.name && c.domain == old.domain && c.path == old.path;
        });
        if (!kept) {
            QUrl origin;
            const QNetworkCookie cookie = toNetworkCookie(old, &origin);
            store->deleteCookie(cookie, origin);
        }
    }
    for (const Cookie& c : cookies) {
        QUrl origin;
        const QNetworkCookie cookie = toNetworkCookie(c, &origin);
        store->setCookie(cookie, origin);
    }
    copied = cookies;
}
