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

bool ForumWebViewController::shouldStartLoadWithRequest(WebView* webView, const QUrl& url, NavigationType,
                                                        bool isMainFrame)
{
    // Frames are the page's own business: only the page itself must stay on the forum.
    if (!isMainFrame)
        return true;
    const QString address = url.toString();
    if (address.isEmpty() || address.contains(SiteHosts::forumHost()))
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
