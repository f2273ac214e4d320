#include "remote/Vuze.h"

#include "site/HttpRequest.h"

QString Vuze::getDefaultDescription() const
{
    return QStringLiteral(
        "iTarnvale can push torrent downloads to your computer if you are using Azureus (Vuze) BitTorrent client "
        "with Azureus Web UI plugin installed.\n\t\n\tSetup:\n\t- Install Azureus on your computer.  \n\t- Install "
        "Azureus Web UI plugin in Azureus.  \n\t- Make sure your computer is online and running Azureus.\n\t- Fill in "
        "the fields above with the ip address and port (Default is 6886) Azureus Web UI plugin is using.");
}

QUrl Vuze::getUrl() const
{
    return urlWithPath(QStringLiteral("/index.tmpl?d=u&local=1"));
}

QString Vuze::prefixData() const
{
    // The form's first file field, left empty, comes before the torrent's.
    return QStringLiteral("--%1\r\nContent-Disposition: form-data; name=\"upfile_1\"; filename=\"\"\r\n"
                          "Content-Type: application/octet-stream\r\n\r\n\r\n--")
        .arg(QLatin1String(kMultipartBoundary));
}

QString Vuze::postfixData() const
{
    return QStringLiteral("\r\n--%1--\r\n").arg(QLatin1String(kMultipartBoundary));
}

bool Vuze::isAccepted(const HttpRequest& request) const
{
    return request.isResponseValid() && request.result().contains(QLatin1String("loaded successfully"));
}
