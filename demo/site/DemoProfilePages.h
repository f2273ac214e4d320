#pragma once

#include "DemoMemberFrame.h"

namespace httplib {
class Server;
}

// Members' profiles "/users/<id>", "/users/?id=<id>" or "/users/<name>" (the "ctable_content"
// table, with the messages the member received) and the message form
// "/sendmessage.php?receiver=<id>", which stands after an advertising box; posting the form
// ("/takemessage.php") records the message. The box's end is
// marked "<!-- End AD Box -->" on most pages and "<!--Adbox-->" on those of odd receivers,
// as the site's two page templates do.
class DemoProfilePages
{
public:
    static void install(httplib::Server& web, const DemoSiteContext& site);
    static QString profile(const DemoSiteContext& site, const DemoAccounts::Account& shown,
                           const std::optional<DemoAccounts::Account>& member);
    static QString messageSent(const DemoSiteContext& site, const DemoAccounts::Account& receiver,
                               const std::optional<DemoAccounts::Account>& member);
    static QString messageForm(const DemoSiteContext& site, const DemoAccounts::Account& receiver,
                               const std::optional<DemoAccounts::Account>& member);
};
