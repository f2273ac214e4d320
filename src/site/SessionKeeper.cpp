#include "site/SessionKeeper.h"

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
