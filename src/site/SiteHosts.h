#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <span>

// The configured hosts, with their defaults in this one place. A host may carry a port
// ("127.0.0.1:8443"). Overridable from the command line (applyArguments) and by the demo.
class SiteHosts
{
public:
    static QString webHost();          // pages over http
    // The same site over https (the sign-in endpoint). Defaults to webHost(); differs only
    // when the two carry different ports, as on the demo site.
    static QString secureWebHost();
    static QString forumHost();        // http
    static QString captchaHost();      // the captcha service's API host (http)
    static QString captchaCookieDomain();
    // The site's cookie domain: the web host's domain with a leading dot ("www." and any
    // port dropped), e.g. ".tarnvale.org".
    static QString siteCookieDomain();
    static QString noticeHost();       // the notice service (http)
    static QString filmDatabaseHost(); // links on details pages (http)
    static QString donateUrl();        // the checkout page opened in the system browser

    static void setWebHost(const QString& host);
    static void setSecureWebHost(const QString& host); // empty: same as webHost
    static void setForumHost(const QString& host);
    static void setCaptchaHost(const QString& host);
    static void setCaptchaCookieDomain(const QString& domain);
    static void setNoticeHost(const QString& host);
    static void setFilmDatabaseHost(const QString& host);
    static void setDonateUrl(const QString& url);

    // "http://" + webHost + path (path starts with "/").
    static QUrl webUrl(const QString& pathAndQuery);
    // "https://" + secureWebHost + "/account_handler.php".
    static QUrl loginUrl();

    // Reads --web-host, --secure-web-host, --forum-host, --captcha-host, --captcha-cookie-domain,
    // --notice-host, --film-host, --donate-url and --ca-file (each "--name value" or
    // "--name=value") and removes them from the list. Returns an error text for an option
    // without a value, empty when all was well.
    static QString applyArguments(QStringList& arguments);
    static QString usage();

    // The options above, for a command-line parser: name without dashes, the value's name,
    // what it sets, and the setter.
    struct Option
    {
        const char* name;
        const char* valueName;
        const char* description;
        void (*apply)(const QString&);
    };
    static std::span<const Option> options();

    // The sign-in endpoint's absolute URL exactly (no query); also true for a null text.
    static bool isLoginUrl(const QString& absoluteUrl);
    // True when the text is present and contains "User log in" (the sign-in page's title).
    static bool isLoginHeader(const QString& text);
};
