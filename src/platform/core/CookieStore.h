#pragma once

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QString>

#include <curl/curl.h>

#include <functional>

struct Cookie
{
    QString name;
    QString value;
    QString domain; // as the site gave it: ".example.org" matches sub-domains
    QString path = QStringLiteral("/");
    bool secure = false;
    bool httpOnly = false;
    QDateTime expires; // invalid for a session cookie

    bool isSessionCookie() const { return !expires.isValid(); }
    bool operator==(const Cookie&) const = default;
};

// The application's shared cookie store: one libcurl share (with locks) that every
// UrlLoader exchange attaches to, so every thread sends and stores the same cookies.
// Persistent cookies are written to the store's file (atomically, owner-only) after each
// change and read back at start; session cookies live only as long as the process.
class CookieStore
{
public:
    // The application's cookie jar, kept beside its settings.
    static constexpr char kDefaultFileName[] = "cookies.txt";

    static CookieStore& shared();

    // Loads the persistent cookies of this file and keeps writing them there.
    // Without a file nothing is persisted.
    void setStoragePath(const QString& file);
    QString storagePath() const;

    // The share handle for curl_easy_setopt(CURLOPT_SHARE).
    CURLSH* share() const { return m_share; }

    // The browser's cookie policy; accepting every cookie is the only one we use.
    void setAcceptPolicyAlways() {}

    QList<Cookie> cookies() const;
    QList<Cookie> cookiesForDomain(const QString& domain) const; // domain-matched
    // Each change writes the file (see persist) and returns whether that worked.
    bool setCookie(const Cookie& cookie);
    bool deleteCookie(const Cookie& cookie); // the one of that name, domain and path
    // Deletes every cookie doomed() picks, as one change: cookies that exchanges on other
    // threads store meanwhile are kept.
    bool deleteCookies(const std::function<bool(const Cookie&)>& doomed);
    bool deleteAll();

    // Writes the persistent cookies when they changed since the last write. Returns false
    // when the file could not be written (said once on standard error until a write works
    // again); the cookies stay in memory for this run.
    bool persist();

private:
    CookieStore();
    ~CookieStore();

    // The persistent cookies as the store's file holds them (sorted Netscape lines).
    QByteArray serializePersistent() const;

    CURLSH* m_share = nullptr;
    mutable QMutex m_fileLock;
    QString m_path;
    QByteArray m_lastWritten;
    bool m_failureReported = false;
};
