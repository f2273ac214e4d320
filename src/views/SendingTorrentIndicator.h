#pragma once

#include "views/LoadingIndicator.h"

// The busy overlay shown while torrents are sent to the remote client. It has an instance of
// its own, so it can show together with the page loading overlay.
class SendingTorrentIndicator : public LoadingIndicator
{
public:
    static SendingTorrentIndicator* sharedInstance();

private:
    friend class LoadingIndicator; // makes the one instance
    SendingTorrentIndicator() = default;
    ~SendingTorrentIndicator() override = default;
};
