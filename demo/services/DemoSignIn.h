#pragma once

#include "DemoMemberFrame.h"

#include <QString>

namespace httplib {
class Server;
}

// The sign-in endpoint "/account_handler.php" of the https host, and the session gate that
// makes every other page answer the sign-in page without a valid session.
//
// The form POST is checked field by field (names in the browser's order, fixed values,
// captcha fields consistent with "withq"). A wrong password gives the error page and makes
// the site ask for a captcha from then on until someone signs in; a good sign-in sets the
// session cookies a real site sets: "uid" and "pass" on the site's domain with a leading dot
// (so every host of the site gets them) and a host-only "PHPSESSID".
class DemoSignIn
{
public:
    static const char kSiteDomain[];        // ".tarnvale.localhost"
    static const char kReturnPathWithCaptcha[]; // "/?rel=1292368595"

    static void install(httplib::Server& secure, const DemoSiteContext& site);
    // Pictures, styles and scripts load without a session; pages do not.
    static void installSessionGate(httplib::Server& server, const DemoSiteContext& site);

    // The sign-in page; error (HTML) above the form when not empty, the captcha rows when
    // the site wants one.
    static QString signInPage(const DemoSiteContext& site, const QString& error, bool withCaptcha);
};
