#include "screens/login/DonateViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "site/SiteHosts.h"

#include <QDesktopServices>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_hookLock;
DonateViewController::BrowserHook g_hook;

} // namespace

void DonateViewController::setBrowserHook(BrowserHook hook)
{
    QMutexLocker lock(&g_hookLock);
    g_hook = std::move(hook);
}

void DonateViewController::openInBrowser(const QUrl& url)
{
    BrowserHook hook;
    {
        QMutexLocker lock(&g_hookLock);
        hook = g_hook;
    }
    if (hook)
        hook(url);
    else
        QDesktopServices::openUrl(url);
}

DonateViewController::DonateViewController(const QRect& frame, ViewController* target, QObject* parent)
    : ViewController(parent)
    , m_frame(frame)
    , m_target(target)
{
}

DonateViewController::~DonateViewController() = default;

Button* DonateViewController::button() const
{
    return m_button;
}

ViewController* DonateViewController::target() const
{
    return m_target;
}

void DonateViewController::loadView()
{
    // The picture fills the button's frame as it filled the page that once drew it; on a
    // HiDPI screen it is drawn afresh from its SVG source, sharp at any ratio.
    auto* button = new Button(Button::Type::Custom);
    button->setGeometry(m_frame);
    button->setBackgroundImage(Bundle::imageNamed(QStringLiteral("bitcoin.png")));
    button->setAccessibleName(QStringLiteral("Donate"));
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &Button::touchUpInside, this, &DonateViewController::donate);
    m_button = button;
    setView(button);
}

void DonateViewController::donate()
{
    openInBrowser(QUrl(SiteHosts::donateUrl()));
}
