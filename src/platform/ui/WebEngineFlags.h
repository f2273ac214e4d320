#pragma once

#include <QByteArrayList>
#include <QString>

// What the web engine is told before it starts. Chromium's sandbox is the wall between a
// hostile page and the user's files, so it is switched off only where it cannot run: as
// root, without user namespaces, or where the user says it cannot start although /proc does
// not show why (--no-sandbox, for a container or a security module that refuses the
// namespaces). The platform never switches it off. The GPU is left to the engine unless
// there is no screen to draw on.
struct WebEngineFlags
{
    bool sandboxOff = false;
    bool gpuOff = false;

    // root: the process runs as root, where Chromium refuses to start its sandbox.
    // userNamespaces: the kernel lets an ordinary user make the namespaces the sandbox is
    // built from; without them it cannot start. platform: the Qt platform plugin's name
    // ("xcb", "wayland", "offscreen"; empty when Qt picks one), which decides the GPU only.
    // sandboxOffAsked: the user gave --no-sandbox, saying the sandbox cannot start here.
    static WebEngineFlags decide(bool root, bool userNamespaces, const QString& platform, bool sandboxOffAsked);

    // Whether this kernel lets an ordinary user make namespaces (read from /proc).
    static bool userNamespacesAllowed();

    // The Chromium flags that say it.
    QByteArrayList chromiumFlags() const;
};
