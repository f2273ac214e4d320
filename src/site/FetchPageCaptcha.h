#pragma once

#include "site/FetchPageOf.h"

#include <QMap>
#include <QString>

// Obtains a captcha challenge: finds the captcha service's script on the sign-in page,
// reads the challenge from the script and delivers {"image": image URL, "captchaChallenge":
// challenge}. While the script cannot be fetched it tries again, kTries times in all with a
// pause that doubles from kFirstPauseMilliseconds, and then delivers an empty dictionary: the
// captcha could not be had. It gives up silently once its target is gone or the application
// is shutting down.
class FetchPageCaptcha : public FetchPageOf<QMap<QString, QString>>
{
public:
    static constexpr int kTries = 3;
    static constexpr int kFirstPauseMilliseconds = 1000;
    static const QString kChallengePattern;

    using FetchPageOf::FetchPageOf;

    // The script tag of the captcha service on captchaHost (dots escaped, so they match
    // only dots).
    static QString scriptPattern(const QString& captchaHost);
    // The challenge in a script; null when the script has none.
    static QString challengeFromScript(const QString& script);
    // "http://" + captchaHost + "/image?c=" + challenge.
    static QString imageUrl(const QString& captchaHost, const QString& challenge);

    void main() override;

private:
    // Sleeps before a new try; false when the operation should give up instead.
    bool waitBeforeRetry(int milliseconds) const;
};
