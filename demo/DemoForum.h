#pragma once

#include "DemoMemberFrame.h"

namespace httplib {
class Server;
}

// The forum host's front page. A phone browser (its user agent names an iPhone) gets the
// forum's light mobile layout, every other browser the full desktop board.
class DemoForum
{
public:
    static void install(httplib::Server& forum, const DemoSiteContext& site);
    static QString frontPage(const DemoSiteContext& site, bool phone);
};
