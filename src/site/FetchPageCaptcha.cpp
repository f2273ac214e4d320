#include "site/FetchPageCaptcha.h"

#include "platform/core/Shutdown.h"
#include "site/HttpRequestRegEx.h"
#include "site/SiteHosts.h"
#include "util/Regex.h"
#include "util/TextUtilities.h"

#include <QCoreApplication>

#include <optional>

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

bool FetchPageCaptcha::waitBeforeRetry(int milliseconds) const
{
    // Slept in short steps so that a closing application or a closed login screen does not
    // keep this worker for the rest of the interval.
    constexpr int kStep = 100;
    for (int slept = 0; slept < milliseconds; slept += kStep) {
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
    std::optional<QString> script;
    int pause = kFirstPauseMilliseconds;
    for (int tried = 1; !script; ++tried) {
        HttpRequestRegEx page(url(), scriptPattern(host));
        page.request();
        // Without the script tag there is no address to fetch: that try failed as well.
        if (page.elements()) {
            HttpRequest scriptRequest(QUrl(page.result()));
            scriptRequest.request();
            if (scriptRequest.isResponseValid())
                script = scriptRequest.result();
        }
        if (script || tried == kTries)
            break;
        // A captcha service that is down stays down for a while: a growing pause, and a
        // bounded number of tries, after which the screen says so and offers to try again.
        if (!waitBeforeRetry(pause))
            return;
        pause *= 2;
    }
    if (script) {
        const QString challenge = challengeFromScript(*script);
        QMap<QString, QString> captcha;
        captcha.insert(QStringLiteral("image"), imageUrl(host, challenge));
        captcha.insert(QStringLiteral("captchaChallenge"), challenge);
        setReturnObject(captcha);
    }
    FetchPageOf::main();
}
