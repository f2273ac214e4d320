#pragma once

#include "DemoMemberFrame.h"

namespace httplib {
class Server;
}

// The snatch list's table-data endpoint: POST "/user/account/snatchlist" with the table
// request ("iDisplayStart", "iDisplayLength", "userID", ...) is answered with the rows as a
// script-style array, HTML written with escaped slashes and quotes:
//   ["<a href=\"\/torrent\/12\/...\">Name<\/a>","4.37 GB","2011-02-03 21:14:09","4.37 GB",
//    "12.80 GB",2.93,1,1296767649,"Yes","2011-02-03 21:14"]
// (link, size, added, downloaded, uploaded, ratio, seeding, last action, active, snatched).
class DemoSnatchList
{
public:
    static void install(httplib::Server& web, const DemoSiteContext& site);
    static QString reply(const DemoSiteContext& site, int userId, int start, int length, int echo);
};
