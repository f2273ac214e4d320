#pragma once

#include "watch/WatchScan.h"

#include <QString>

// Reads the recent list's pages for a scan, as the favourites list asks for them (every
// category and language, newest first). When the site answers its sign-in page and an
// account is given, it signs in with it, once per reader (one reader per scan), and asks
// again; the sign-in page after that, or without an account, fails the page.
class WatchSiteReader
{
public:
    WatchSiteReader(const QString& username = QString(), const QString& password = QString());

    WatchScan::Page read(int page);
    // Signs in with the account; false with the reason in `failure` (kind SignIn when the
    // site answered its sign-in page again: a wrong password or a captcha asked for).
    bool signIn(FetchFailure& failure);
    bool hasSignedIn() const { return m_signedIn; }

private:
    QString m_username;
    QString m_password;
    bool m_signedIn = false;
};
