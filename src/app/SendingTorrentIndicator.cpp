#include "app/SendingTorrentIndicator.h"

SendingTorrentIndicator* SendingTorrentIndicator::sharedInstance()
{
    return sharedInstanceOf<SendingTorrentIndicator>();
}
