#include "platform/ui/WebEngineFlags.h"

WebEngineFlags WebEngineFlags::decide(bool root, const QString& platform, bool sandboxOffAsked)
{
    // Offscreen and minimal draw into memory: no GPU. Only offscreen, where the tests run
    // (as root in containers, with no session for the sandbox's helpers), goes without the
    // sandbox as well.
    const bool offscreen = platform == QLatin1String("offscreen");
    WebEngineFlags flags;
    flags.sandboxOff = root || sandboxOffAsked || offscreen;
    flags.gpuOff = offscreen || platform == QLatin1String("minimal");
    return flags;
}

QByteArrayList WebEngineFlags::chromiumFlags() const
{
    QByteArrayList flags;
    if (sandboxOff)
        flags << "--no-sandbox";
    if (gpuOff)
        flags << "--disable-gpu" << "--disable-gpu-compositing" << "--disable-features=Vulkan";
    return flags;
}
