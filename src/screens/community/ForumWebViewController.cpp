#include "screens/community/ForumWebViewController.h"

#include "platform/ui/WebView.h"
#include "site/HttpRequestRegExForum.h"
#include "site/SiteHosts.h"

#include <QPointer>

ForumWebViewController::ForumWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : TabWebViewController(url, target, QStringLiteral("Forum"), QStringLiteral("tabbar-forum.png"), parent)
{
}

QUrl ForumWebViewController::baseUrl() const
{
    return QUrl(QStringLiteral("http://") + SiteHosts::forumHost() + QStringLiteral("/"));
}

FetchPageGeneric::ClassType ForumWebViewController::requestClass() const
{
    return FetchPageGeneric::classType<HttpRequestRegExForum>();
}

bool ForumWebViewController::staysOnForum(const QUrl& url)
{
    if (url.isEmpty())
        return true;
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        return false;
    // The host itself (and its port, where the configuration gives one), never a text found
    // somewhere in the address.
    const QUrl forum(QStringLiteral("http://") + SiteHosts::forumHost() + QStringLiteral("/"));
    if (forum.host().isEmpty() || url.host() != forum.host())
        return false;
    const int defaultPort = url.scheme() == QLatin1String("https") ? 443 : 80;
    return forum.port() == -1 ? url.port(defaultPort) == defaultPort : url.port(defaultPort) == forum.port();
}

bool ForumWebViewController::shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType,
                                                        bool isMainFrame)
{
    // Frames are the page's own business: only the page itself must stay on the forum.
    if (!isMainFrame)
        return true;
    if (staysOnForum(url))
        return true;
    // Stopped once this question has been answered, not from inside it.
    QPointer<WebView> view(webView);
    QMetaObject::invokeMethod(this, [view] {
        if (view && view->isLoading())
            view->stopLoading();
    }, Qt::QueuedConnection);
    viewDidLoad();
    return false;
}
