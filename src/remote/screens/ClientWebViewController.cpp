#include "remote/screens/ClientWebViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

ClientWebViewController::ClientWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_url(url)
    , m_target(target)
{
    setTitle(QString());
    setTabBarItem(new TabBarItem(QStringLiteral("Remote UI"), Bundle::imageNamed(QStringLiteral("tabbar-remote.png")), 0));
}
