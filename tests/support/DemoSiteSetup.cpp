#include "DemoSiteSetup.h"

#include "DemoAccounts.h"
#include "DemoSite.h"

#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "settings/SettingsKeys.h"
#include "site/SiteHosts.h"

namespace DemoSiteSetup {

bool start(DemoSite& site, QString* error)
{
    if (!site.start(error))
        return false;
    SiteHosts::setWebHost(site.webHost());
    SiteHosts::setSecureWebHost(site.secureWebHost());
    SiteHosts::setForumHost(site.forumHost());
    SiteHosts::setCaptchaHost(site.captchaHost());
    SiteHosts::setNoticeHost(site.noticeHost());
    UrlLoader::setExtraCaFile(site.caCertificatePath());
    return true;
}

void forgetSignIn(DemoSite& site, const QStringList& moreKeys)
{
    CookieStore::shared().deleteAll();
    SettingsStore& store = SettingsStore::standard();
    for (const QString& key : {SettingsKeys::username, SettingsKeys::password, SettingsKeys::automaticLogin})
        store.remove(key);
    for (const QString& key : moreKeys)
        store.remove(key);
    store.synchronize();
    site.accounts().setCaptchaDemanded(false);
    // A test that took the captcha service down has it back.
    site.accounts().setCaptchaScriptHost(QString());
    SiteHosts::setCaptchaHost(site.captchaHost());
}

} // namespace DemoSiteSetup
