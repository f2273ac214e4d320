#include "site/FetchPageCaptcha.h"

#include "platform/core/Shutdown.h"
#include "site/HttpRequestRegEx.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"
#include "util/TextUtilities.h"

#include <QCoreApplication>

const QString FetchPageCaptcha::kChallengePattern = QStringLiteral("challenge[ ]*:[ ]*'(.*?)'");

QString FetchPageCaptcha::scriptPattern(const QString& captchaHost)
{
    QString host = captchaHost;
    host.replace(QLatin1Char('.'), QLatin1String("\\."));
    return QStringLiteral("<script type=\"text/javascript\"[\\s\\S]*?src=\"(http://") + host
           + QStringLiteral(".*)\">[\\s\\S]*?</script>");
}

QString FetchPageCaptcha::challengeFromScript(const QString& script)
{
    const std::optional<QStringList> match = Regex::firstMatch(kChallengePattern, script);
    if (!match || match->size() < 2)
        return QString();
    return match->at(1);
}

QString FetchPageCaptcha::imageUrl(const QString& captchaHost, const QString& challenge)
{
    // The challenge comes from the captcha host's script, so it is escaped like any value.
    return QStringLiteral("http://") + captchaHost + QStringLiteral("/image?c=") + stringWithPercentEscape(challenge);
}

bool FetchPageCaptcha::waitBeforeRetry() const
{
    // Slept in short steps so that a closing application or a closed login screen does not
    // keep this worker for the rest of the interval.
    constexpr int kStep = 100;
    for (int slept = 0; slept < kRetryMilliseconds; slept += kStep) {
        if (!QCoreApplication::instance() || QCoreApplication::closingDown())
            return false;
        if (callback().isSet() && !callback().target())
            return false;
        if (!Shutdown::sleepFor(std::chrono::milliseconds(kStep)))
            return false;
    }
    return true;
}

void FetchPageCaptcha::main()
{
    const QString host = SiteHosts::captchaHost();
    QString script;
    while (true) {
        HttpRequestRegEx page(url(), scriptPattern(host));
        page.request();
        // Without the script tag there is no address to fetch: that try failed as well.
        if (page.elements()) {
            HttpRequest scriptRequest(QUrl(page.result()));
            scriptRequest.request();
            if (scriptRequest.isResponseValid()) {
                script = scriptRequest.result();
                break;
            }
        }
        if (!waitBeforeRetry())
            return;
    }
    const QString challenge = challengeFromScript(script);
    QMap<QString, QString> captcha;
    captcha.insert(QStringLiteral("image"), imageUrl(host, challenge));
    captcha.insert(QStringLiteral("captchaChallenge"), challenge);
    setReturnObject(captcha);
    FetchPageOf::main();
}
