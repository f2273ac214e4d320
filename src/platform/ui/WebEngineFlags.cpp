#include "platform/ui/WebEngineFlags.h"

#include <QFile>

WebEngineFlags WebEngineFlags::decide(bool root, bool userNamespaces, const QString& platform, bool sandboxOffAsked)
{
    WebEngineFlags flags;
    // Off only where it cannot run, as seen here or as the user says; the platform has no say.
    flags.sandboxOff = root || !userNamespaces || sandboxOffAsked;
    // Offscreen and minimal draw into memory: no GPU.
    flags.gpuOff = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
    return flags;
}

bool WebEngineFlags::userNamespacesAllowed()
{
    // A value of 0 in either switch turns them off; a kernel without the file has them.
    // Read once: the engine's flags are decided before main and again from the command line.
    static const bool allowed = [] {
        const auto zero = [](const char* path) {
            QFile file(QString::fromLatin1(path));
            return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == "0";
        };
        return !zero("/proc/sys/user/max_user_namespaces") && !zero("/proc/sys/kernel/unprivileged_userns_clone");
    }();
    return allowed;
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
