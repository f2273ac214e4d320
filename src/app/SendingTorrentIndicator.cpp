#include "app/SendingTorrentIndicator.h"

#include <QMutex>
#include <QMutexLocker>

SendingTorrentIndicator* SendingTorrentIndicator::sharedInstance()
{
    static QMutex classLock;
    static SendingTorrentIndicator* instance = nullptr;
    QMutexLocker locker(&classLock);
    if (!instance)
        instance = new SendingTorrentIndicator;  // lives until the process ends
    instance->reset();
    return instance;
}
