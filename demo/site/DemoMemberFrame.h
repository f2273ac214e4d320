#pragma once

#include "DemoAccounts.h"

#include <QString>

#include <optional>

class DemoCatalog;

namespace httplib {
struct Request;
struct Response;
}

// What the member pages of the demo site share: the accounts, the catalogue and the hosts.
struct DemoSiteContext
{
    DemoAccounts* accounts = nullptr;
    const DemoCatalog* catalog = nullptr;
    QString webHost;       // "www.tarnvale.localhost:<port>"
    QString secureWebHost; // the same name on the https port
    QString captchaHost;   // "captcha.localhost:<port>"
    QString forumHost;     // "forum.tarnvale.localhost:<port>"

    // The member the request's cookies belong to; the demo account when sessions are not
    // required and there is none.
    std::optional<DemoAccounts::Account> viewer(const httplib::Request& req) const;
};

// The chrome of the pages a signed-in member sees: a table layout with the member's bar
// (profile link, friends, log out), the menus, an advertising frame and the footer. The
// content stands in the one cell of the "mainouter" table.
class DemoMemberFrame
{
public:
    static QString document(const DemoSiteContext& site, const QString& title, const QString& content,
                            const std::optional<DemoAccounts::Account>& member);
    // The member's profile link as the page header shows it.
    static QString profileLink(const DemoAccounts::Account& member);

    static void sendHtml(httplib::Response& res, const QString& html, int status = 200);
};
