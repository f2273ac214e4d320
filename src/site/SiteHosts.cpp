#include "site/SiteHosts.h"

#include "platform/core/UrlLoader.h"

#include <QReadWriteLock>

namespace {

// Every default host lives here and nowhere else.
struct Hosts
{
    QString web = QStringLiteral("www.tarnvale.org");
    QString secureWeb; // empty: same as web
    QString forum = QStringLiteral("forum.tarnvale.org");
    QString captcha = QStringLiteral("api.tarnvale-captcha.org");
    QString captchaCookieDomain = QStringLiteral(".tarnvale-captcha.org");
    QString notice = QStringLiteral("notice.tarnvale.org");
    QString film = QStringLiteral("www.filmdatabase.example");
    QString donate = QStringLiteral("https://pay.tarnvale.org/checkouts/3f9a1c0e5b7d4a2f8e6c1b0a9d8e7f6a");
};

QReadWriteLock g_lock;
Hosts g_hosts;

QString read(QString Hosts::*field)
{
    QReadLocker locker(&g_lock);
    return g_hosts.*field;
}

void write(QString Hosts::*field, const QString& value)
{
    QWriteLocker locker(&g_lock);
    g_hosts.*field = value;
}

const QLatin1String kLoginPath("/account_handler.php");

} // namespace

QString SiteHosts::webHost() { return read(&Hosts::web); }
QString SiteHosts::forumHost() { return read(&Hosts::forum); }
QString SiteHosts::captchaHost() { return read(&Hosts::captcha); }
QString SiteHosts::captchaCookieDomain() { return read(&Hosts::captchaCookieDomain); }
QString SiteHosts::noticeHost() { return read(&Hosts::notice); }
QString SiteHosts::filmDatabaseHost() { return read(&Hosts::film); }
QString SiteHosts::donateUrl() { return read(&Hosts::donate); }

QString SiteHosts::secureWebHost()
{
    QReadLocker locker(&g_lock);
    return g_hosts.secureWeb.isEmpty() ? g_hosts.web : g_hosts.secureWeb;
}

QString SiteHosts::siteCookieDomain()
{
    QString host = webHost();
    if (const qsizetype colon = host.lastIndexOf(QLatin1Char(':')); colon >= 0)
        host.truncate(colon);
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    return QLatin1Char('.') + host;
}

void SiteHosts::setWebHost(const QString& host) { write(&Hosts::web, host); }
void SiteHosts::setSecureWebHost(const QString& host) { write(&Hosts::secureWeb, host); }
void SiteHosts::setForumHost(const QString& host) { write(&Hosts::forum, host); }
void SiteHosts::setCaptchaHost(const QString& host) { write(&Hosts::captcha, host); }
void SiteHosts::setCaptchaCookieDomain(const QString& domain) { write(&Hosts::captchaCookieDomain, domain); }
void SiteHosts::setNoticeHost(const QString& host) { write(&Hosts::notice, host); }
void SiteHosts::setFilmDatabaseHost(const QString& host) { write(&Hosts::film, host); }
void SiteHosts::setDonateUrl(const QString& url) { write(&Hosts::donate, url); }

QUrl SiteHosts::webUrl(const QString& pathAndQuery)
{
    return QUrl(QStringLiteral("http://") + webHost() + pathAndQuery);
}

QUrl SiteHosts::loginUrl()
{
    return QUrl(QStringLiteral("https://") + secureWebHost() + kLoginPath);
}

std::span<const SiteHosts::Option> SiteHosts::options()
{
    static const Option table[] = {
        {"web-host", "HOST[:PORT]", "the site's web host (pages over http)", setWebHost},
        {"secure-web-host", "HOST[:PORT]", "the site's https host (sign-in), when it differs", setSecureWebHost},
        {"forum-host", "HOST[:PORT]", "the site's forum host", setForumHost},
        {"captcha-host", "HOST[:PORT]", "the captcha service's API host", setCaptchaHost},
        {"captcha-cookie-domain", "DOMAIN", "the captcha service's cookie domain", setCaptchaCookieDomain},
        {"notice-host", "HOST[:PORT]", "the notice service's host", setNoticeHost},
        {"film-host", "HOST", "the film database's web host", setFilmDatabaseHost},
        {"donate-url", "URL", "the donation checkout page", setDonateUrl},
        {"ca-file", "FILE", "a certificate authority trusted besides the system's", UrlLoader::setExtraCaFile},
    };
    return table;
}

QString SiteHosts::applyArguments(QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size();) {
        const QString argument = arguments.at(i);
        const Option* match = nullptr;
        QString value;
        bool hasValue = false;
        for (const Option& option : options()) {
            const QString name = QLatin1String("--") + QLatin1String(option.name);
            if (argument == name) {
                match = &option;
                if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                    value = arguments.at(i + 1);
                    hasValue = true;
                }
            } else if (argument.startsWith(name + QLatin1Char('='))) {
                match = &option;
                value = argument.mid(name.size() + 1);
                hasValue = !value.isEmpty();
            }
            if (match)
                break;
        }
        if (!match) {
            ++i;
            continue;
        }
        if (!hasValue)
            return QStringLiteral("The option --%1 needs a value.").arg(QLatin1String(match->name));
        match->apply(value);
        arguments.remove(i, argument.contains(QLatin1Char('=')) ? 1 : 2);
    }
    return QString();
}

QString SiteHosts::usage()
{
    QString text;
    for (const Option& option : options()) {
        const QString head = QStringLiteral("  --%1 %2").arg(QLatin1String(option.name), QLatin1String(option.valueName));
        text += head.leftJustified(32) + QLatin1Char(' ') + QLatin1String(option.description) + QLatin1Char('\n');
    }
    return text;
}

bool SiteHosts::isLoginUrl(const QString& absoluteUrl)
{
    if (absoluteUrl.isNull())
        return true;
    return absoluteUrl == loginUrl().toString();
}

bool SiteHosts::isLoginHeader(const QString& text)
{
    return !text.isNull() && text.contains(QLatin1String("User log in"));
}
