#pragma once

#include "StandInServer.h"

// Answers as Vuze's HTML Web UI plug-in does for what the app uses: the upload form's
// POST (always 200, the page saying for each file whether it was loaded) and a front page
// listing the torrents added. Basic authentication on every path.
class VuzeStandIn : public StandInServer
{
public:
    static constexpr char kSaveDirectory[] = "/home/demo/Azureus Downloads";

    VuzeStandIn(const QString& username, const QString& password);
};
