#include "screens/pages/SiteWebViewController.h"

#include "site/SiteHosts.h"

namespace {
// The tab is named after the web host; a port (the demo's) is no part of the name.
QString hostName()
{
    return QUrl(QStringLiteral("http://") + SiteHosts::webHost()).host();
}
} // namespace

SiteWebViewController::SiteWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : TabWebViewController(url, target, hostName(), QStringLiteral("tabbar-web.png"), parent)
{
}

FetchPageGeneric::ClassType SiteWebViewController::requestClass() const
{
    return FetchPageGeneric::classType<HttpRequest>();
}

void SiteWebViewController::viewWillAppear(bool animated)
{
    TabWebViewController::viewWillAppear(animated);
    viewDidLoad();
}
