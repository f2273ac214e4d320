#pragma once

#include "DemoMemberFrame.h"

namespace httplib {
class Server;
}

// The friends page "/friends.php": one entry per friend (avatar, bold name linking to the
// profile by id, "(class)", the last-seen line, a removal link). The removal request
// "/friends.php?id=<me>&action=delete&type=friend&targetid=<friend>&sure=1" takes the friend
// off the list for the rest of the run; one for a member who is not on the list is answered
// with status 404. Avatars: "/pic/avatars/<id>.png" on the site, or an
// absolute address for members whose picture lives elsewhere.
class DemoFriends
{
public:
    static void install(httplib::Server& web, const DemoSiteContext& site);
    static QString page(const DemoSiteContext& site, const DemoAccounts::Account& member);
    // A plain round avatar in the member's colour (no text, so no GUI application needed).
    static QByteArray avatar(int userId);
};
