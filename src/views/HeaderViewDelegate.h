#pragma once

#include <QString>

// What the torrent list screens answer to the header's buttons. didRefresh and
// didSelectProfile are required; the others are optional: a screen that does not override one
// lacks it, and the header's button then does nothing.
class HeaderViewDelegate
{
public:
    virtual ~HeaderViewDelegate() = default;

    virtual void didRefresh() = 0;
    // A user name, or a null text for the signed-in user.
    virtual void didSelectProfile(const QString& username) = 0;

    virtual void didFilters() {}
    virtual void didSettings() {}
    virtual void didSearch() {}
};
