#pragma once

#include "platform/core/FetchFailure.h"

#include <QObject>
#include <QString>

#include <mutex>

// Whether this machine has a network at all, as the exchanges find it: one that found no route
// (FetchFailure's no-network kind) marks it offline; any answer marks it online again (a client
// on this machine answering while the network is down only hides the band until the next
// exchange with the site fails). Screens say a lost network once (a band), not in every notice.
class NetworkStatus : public QObject
{
    Q_OBJECT
public:
    // The one instance; made on the main thread at first use.
    static NetworkStatus& shared();

    // After every exchange, from any thread: `answered` when an answer came.
    static void report(const FetchFailure& failure, bool answered);

    bool isOffline() const;
    // "No network: HOST cannot be reached." while offline; empty otherwise.
    QString text() const;

Q_SIGNALS:
    // On the main thread, when isOffline or text changed.
    void changed();

private:
    NetworkStatus() = default;
    void update(bool offline, const QString& text);

    mutable std::mutex m_lock;
    bool m_offline = false;
    QString m_text;
};
