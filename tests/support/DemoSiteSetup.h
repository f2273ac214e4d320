#pragma once

#include <QString>
#include <QStringList>

class DemoSite;

// What tests that sign in against the demo site on loopback share.
namespace DemoSiteSetup {

// Starts the site's servers and points the app's site, forum, captcha and notice hosts and its
// extra CA file at them. False, with the reason in `error`, when a server does not start.
bool start(DemoSite& site, QString* error);

// Between test functions: no cookies, no stored user name, password or automatic sign-in (nor
// `moreKeys`), and a site that does not ask for a captcha and serves it from its own service.
void forgetSignIn(DemoSite& site, const QStringList& moreKeys = {});

} // namespace DemoSiteSetup
