#pragma once

#include "DemoMemberFrame.h"

struct DemoTorrent;

namespace httplib {
class Server;
}

// A torrent's details page "/torrent/<id>/...": the "Details for" table with its
// description (a film database link for films, and the uploader's profile, both opening in
// a new window), advertising frames and sponsored links, the
// comments and the comment form, inside the site's layout table. An id the site does not
// have answers the deleted-torrent page.
class DemoDetailsPage
{
public:
    // Where the film links point; the app's default film database host.
    static const char kFilmDatabaseHost[];
    static const char kDeletedMessage[];

    static void install(httplib::Server& web, const DemoSiteContext& site);
    static QString render(const DemoSiteContext& site, const DemoTorrent& torrent,
                          const std::optional<DemoAccounts::Account>& member);
    static QString deleted(const DemoSiteContext& site, const std::optional<DemoAccounts::Account>& member);
};
