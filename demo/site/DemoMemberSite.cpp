#include "DemoMemberSite.h"

#include "DemoAssets.h"
#include "DemoCaptchaService.h"
#include "DemoDetailsPage.h"
#include "DemoForum.h"
#include "DemoFriends.h"
#include "DemoProfilePages.h"
#include "DemoServerThread.h"
#include "DemoSignIn.h"
#include "DemoSnatchList.h"

#include <httplib.h>

const char DemoMemberSite::kCaptchaHostName[] = "captcha.localhost";
const char DemoMemberSite::kForumHostName[] = "forum.tarnvale.localhost";

DemoMemberSite::DemoMemberSite() = default;

DemoMemberSite::~DemoMemberSite()
{
    stop();
}

bool DemoMemberSite::prepare(DemoServerThread& web, DemoServerThread& secure, const QString& webHost,
                             const QString& secureWebHost, const DemoCatalog& catalog, QString* error)
{
    m_captcha = std::make_unique<DemoServerThread>(std::make_unique<httplib::Server>());
    m_forum = std::make_unique<DemoServerThread>(std::make_unique<httplib::Server>());
    if (!m_captcha->bind(0, error) || !m_forum->bind(0, error)) {
        m_captcha.reset();
        m_forum.reset();
        return false;
    }
    m_context.accounts = &m_accounts;
    m_context.catalog = &catalog;
    m_context.webHost = webHost;
    m_context.secureWebHost = secureWebHost;
    m_context.captchaHost = captchaHost();
    m_context.forumHost = forumHost();

    DemoSignIn::install(secure.server(), m_context);
    DemoSignIn::installSessionGate(web.server(), m_context);
    DemoSignIn::installSessionGate(m_forum->server(), m_context);
    DemoDetailsPage::install(web.server(), m_context);
    DemoProfilePages::install(web.server(), m_context);
    DemoSnatchList::install(web.server(), m_context);
    DemoFriends::install(web.server(), m_context);
    DemoAssets::install(web.server());
    DemoForum::install(m_forum->server(), m_context);
    DemoCaptchaService::install(m_captcha->server(), m_accounts, m_context.captchaHost);
    return true;
}

void DemoMemberSite::start()
{
    if (m_captcha)
        m_captcha->start();
    if (m_forum)
        m_forum->start();
}

void DemoMemberSite::stop()
{
    if (m_captcha)
        m_captcha->stop();
    if (m_forum)
        m_forum->stop();
}

QString DemoMemberSite::captchaHost() const
{
    return m_captcha ? QStringLiteral("%1:%2").arg(QLatin1String(kCaptchaHostName)).arg(m_captcha->port()) : QString();
}

QString DemoMemberSite::forumHost() const
{
    return m_forum ? QStringLiteral("%1:%2").arg(QLatin1String(kForumHostName)).arg(m_forum->port()) : QString();
}
