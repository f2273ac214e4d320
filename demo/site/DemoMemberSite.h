#pragma once

#include "DemoAccounts.h"
#include "DemoMemberFrame.h"

#include <QString>

#include <memory>

class DemoCatalog;
class DemoServerThread;

// The members' side of the demo site: accounts and sessions, the sign-in endpoint, the
// captcha service (host "captcha.localhost:<port>"), the forum (host
// "forum.tarnvale.localhost:<port>"), details pages, profiles, the message form, the snatch
// list and the friends page, and the gate that answers the sign-in page to requests without
// a session. DemoSite owns it and hands it its web and https servers before they start.
class DemoMemberSite
{
public:
    static const char kCaptchaHostName[]; // "captcha.localhost"
    static const char kForumHostName[];   // "forum.tarnvale.localhost"

    DemoMemberSite();
    ~DemoMemberSite(); // stops its own servers
    DemoMemberSite(const DemoMemberSite&) = delete;
    DemoMemberSite& operator=(const DemoMemberSite&) = delete;

    // Binds the captcha and forum servers, then installs every route. Routes on web take
    // precedence over those installed later.
    bool prepare(DemoServerThread& web, DemoServerThread& secure, const QString& webHost,
                 const QString& secureWebHost, const DemoCatalog& catalog, QString* error);
    // Starts the captcha and forum servers.
    void start();
    void stop();

    DemoAccounts& accounts() { return m_accounts; }
    QString captchaHost() const;
    QString forumHost() const;

private:
    DemoAccounts m_accounts;
    DemoSiteContext m_context;
    std::unique_ptr<DemoServerThread> m_captcha;
    std::unique_ptr<DemoServerThread> m_forum;
};
