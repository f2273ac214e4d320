#include "screens/community/ProfileWebViewController.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/WebView.h"
#include "screens/community/PmWebViewController.h"
#include "site/FetchPageGeneric.h"
#include "site/HttpRequestRegExProfileDetails.h"
#include "site/SiteAddress.h"
#include "site/SiteHosts.h"

#include <QUrlQuery>

namespace {
const QString kProfilePath = QStringLiteral("/users/");
const QString kMessagePath = QStringLiteral("/sendmessage.php");
} // namespace

ProfileWebViewController::ProfileWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : WebViewController(url, target, parent)
{
    // The page itself does not always say whose profile it is.
    const QString name = memberName(url);
    if (!name.isEmpty())
        setTitle(name);
    fetchPage(FetchPageGeneric::classType<HttpRequestRegExProfileDetails>());
}

QString ProfileWebViewController::memberName(const QUrl& url)
{
    const QString path = url.path(QUrl::FullyEncoded);
    if (!path.startsWith(kProfilePath))
        return QString();
    const QString segment = path.mid(kProfilePath.size());
    if (segment.isEmpty() || segment.contains(QLatin1Char('/')))
        return QString();
    return QUrl::fromPercentEncoding(segment.toUtf8());
}

QString ProfileWebViewController::messageReceiver(const QUrl& url)
{
    // Only the site's own form: a page must not send the screen anywhere else.
    if (url.host() != SiteHosts::webUrl(QStringLiteral("/")).host() || url.path() != kMessagePath)
        return QString();
    const QString receiver = QUrlQuery(url).queryItemValue(QStringLiteral("receiver"));
    return SiteAddress::isNumericId(receiver) ? receiver : QString();
}

QString ProfileWebViewController::keepMessageLinksScript()
{
    // Runs before the script that takes every address away; the address is kept aside (not
    // as a link) and followed on a click.
    return QStringLiteral(
        "(function() { var d = document.getElementsByTagName('a');"
        " for (var i = 0; i < d.length; i++) { var h = d[i].getAttribute('href');"
        " if (h && /sendmessage\\.php\\?receiver=\\d+$/.test(h)) { d[i].setAttribute('data-message', d[i].href);"
        " d[i].style.cursor = 'pointer';"
        " d[i].addEventListener('click', function(e) { e.preventDefault();"
        " window.location.href = this.getAttribute('data-message'); }); } } })();");
}

void ProfileWebViewController::webViewDidFinishLoad(WebView* webView)
{
    webView->stringByEvaluatingJavaScriptFromString(keepMessageLinksScript());
    WebViewController::webViewDidFinishLoad(webView);
}

bool ProfileWebViewController::shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType type,
                                                          bool isMainFrame)
{
    const QString receiver = isMainFrame ? messageReceiver(url) : QString();
    if (receiver.isNull())
        return WebViewController::shouldStartLoadWithRequest(webView, url, type, isMainFrame);
    openMessageForm(receiver);
    return false;
}

void ProfileWebViewController::openMessageForm(const QString& receiver)
{
    NavigationController* navigation = navigationController();
    if (!navigation || navigation->topViewController() != this)
        return;
    // As the friends list's envelope: the overlay until the form has loaded. The form gives
    // the list's table and tabs back when it has (they are unlocked already after this page).
    showLoading(0);
    const QUrl url = SiteHosts::webUrl(kMessagePath + QStringLiteral("?receiver=") + receiver);
    navigation->pushViewController(new PmWebViewController(url, m_target), true);
}
