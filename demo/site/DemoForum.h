#pragma once

#include "DemoMemberFrame.h"

namespace httplib {
class Server;
}

// The forum host: its front page (a phone browser, whose user agent names an iPhone, gets the
// forum's light mobile layout, every other browser the full desktop board), the boards
// "/viewforum.php?f=<n>" a page of topics at a time ("&start=<first>"), and the topics
// "/viewtopic.php?t=<id>". Every page links back to the web host (another host), and the
// pages below the index show a house advertisement in a frame from the web host.
class DemoForum
{
public:
    static void install(httplib::Server& forum, const DemoSiteContext& site);
    static constexpr int kTopicsPerPage = 20;

    static QString frontPage(const DemoSiteContext& site, bool phone);
    // Null for a board or topic the forum does not have.
    static QString boardPage(const DemoSiteContext& site, int board, int start);
    static QString topicPage(const DemoSiteContext& site, int topic);
};
