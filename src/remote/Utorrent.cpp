#include "remote/Utorrent.h"

#include "site/HttpRequestRegEx.h"

#include <QJsonDocument>
#include <QJsonObject>

const char Utorrent::kTokenPattern[] = "<html><div id='token' style='display:none;'>(.*)</div></html>";

QString Utorrent::getDefaultDescription() const
{
    return QStringLiteral(
        "iTarnvale can push torrent downloads to your computer if you are using Utorrent BitTorrent client with Web UI "
        "enabled.\n\tAs of March 2010, Web UI is only available on windows version of Utorrent.\n\tSetup:\n\t- "
        "Install Utorrent on your computer.  \n\t- Select \"Preferences\" Utorrent.  Select \"Web UI\" option.\n\t- "
        "Check \"Enable Web UI\" box.\n\t- Check \"Alternative listening port\" box.\n\t- Make sure your computer is "
        "online and running Utorrent.\n\t- Fill in the fields above with the ip address and port (Default is 8080) "
        "that Utorrent Web UI is using.");
}

QUrl Utorrent::getUrl() const
{
    // Without a token the Web UI refuses the upload, which is reported as a failure.
    return urlWithPath(QStringLiteral("/gui/?token=") + (sessionId().isNull() ? QString() : sessionId())
                       + QStringLiteral("&action=add-file"));
}

void Utorrent::setSessionId()
{
    HttpRequestRegEx request(urlWithPath(QStringLiteral("/gui/token.html")), QString::fromLatin1(kTokenPattern));
    request.setExtraHeaders({{QStringLiteral("X-Requested-With"), QStringLiteral("XMLHttpRequest")},
                             {QStringLiteral("X-Request"), QStringLiteral("JSON")}});
    request.setUsername(username());
    request.setPassword(password());
    request.request();
    // The Web UI's GUID cookie stays in the shared cookie store and goes with the upload.
    // A reply without the token (a refusal, an error page) gives no token at all rather
    // than the whole page in the upload address.
    storeSessionId(request.elements() ? request.result() : QString());
}

QString Utorrent::postfixData() const
{
    return QStringLiteral("\r\n--%1--\r\n").arg(QLatin1String(kMultipartBoundary));
}

bool Utorrent::isAccepted(const HttpRequest& request) const
{
    if (!request.isResponseValid())
        return false;
    // The Web UI answers a JSON object ({"build":...}) when it took the file and one with
    // "error" when it did not; anything else (a sign-in page, an empty body) is no answer of it.
    const QJsonDocument reply = QJsonDocument::fromJson(request.result().toUtf8());
    return reply.isObject() && !reply.object().contains(QLatin1String("error"));
}
