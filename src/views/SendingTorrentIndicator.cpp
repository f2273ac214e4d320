#include "views/SendingTorrentIndicator.h"

SendingTorrentIndicator* SendingTorrentIndicator::sharedInstance()
{
    return sharedInstanceOf<SendingTorrentIndicator>();
}
