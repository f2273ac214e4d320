#include "pages/SiteWebViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"
#include "site/SiteHosts.h"

SiteWebViewController::SiteWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_url(url)
    , m_target(target)
{
    setTitle(QString());
    // The tab is named after the web host; a port (the demo's) is no part of the name.
    const QString host = QUrl(QStringLiteral("http://") + SiteHosts::webHost()).host();
    setTabBarItem(new TabBarItem(host, Bundle::imageNamed(QStringLiteral("tabbar-web.png")), 0));
}
