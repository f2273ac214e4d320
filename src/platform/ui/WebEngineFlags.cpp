#include "platform/ui/WebEngineFlags.h"

WebEngineFlags WebEngineFlags::decide(bool root, const QString& platform, bool sandboxOffAsked)
{
    // Offscreen and minimal draw into memory: no GPU, and only tests and tools run there.
    const bool noScreen = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
    WebEngineFlags flags;
    flags.sandboxOff = root || sandboxOffAsked || noScreen;
    flags.gpuOff = noScreen;
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
