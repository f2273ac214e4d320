#pragma once

namespace httplib {
class Server;
}

// What the web host's pages load besides themselves: the site's style sheet "/css/site.css"
// and the house advertisements "/ads/<name>.html" that the pages (and the forum's) show in
// frames.
class DemoAssets
{
public:
    static void install(httplib::Server& web);
};
