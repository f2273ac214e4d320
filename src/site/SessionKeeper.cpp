#include "site/SessionKeeper.h"

#include "platform/core/Shutdown.h"

namespace {
std::atomic<SessionKeeper*> g_instance{nullptr};
}

SessionKeeper* SessionKeeper::instance()
{
    return g_instance.load();
}

void SessionKeeper::setInstance(SessionKeeper* keeper)
{
    g_instance.store(keeper);
}

void SessionKeeper::setSessionValidated(bool valid)
{
    quint64 state = m_state.load();
    for (;;) {
        if (bool(state & kValidBit) == valid)
            return;
        // Each return to a good session starts a new epoch.
        const quint64 next = valid ? (((state >> 1) + 1) << 1) | kValidBit : state & ~kValidBit;
        if (m_state.compare_exchange_weak(state, next))
            break;
    }
    if (valid)
        Shutdown::wake();
}

bool SessionKeeper::renewSessionSince(quint64 epoch)
{
    sessionInvalidatedSince(epoch);
    return Shutdown::waitUntil([this] { return sessionValidated(); },
                               std::chrono::milliseconds(kRenewalPollMilliseconds));
}
