#include "pages/ForumWebViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/TabBarItem.h"

ForumWebViewController::ForumWebViewController(const QUrl& url, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_url(url)
    , m_target(target)
{
    setTitle(QString());
    setTabBarItem(new TabBarItem(QStringLiteral("Forum"), Bundle::imageNamed(QStringLiteral("tabbar-forum.png")), 0));
}
