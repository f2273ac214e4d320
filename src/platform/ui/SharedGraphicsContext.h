#pragma once

// The GL context the web engine shares with its views. The engine's library makes it while
// the application object is made, unless one is there already, and on a machine without a
// GPU that loads the software rasteriser (LLVM and Mesa, about 30 MB) into a process that
// may never show a web page. So an empty one is put there first, and the first web profile
// makes it, before the engine starts.
class SharedGraphicsContext
{
public:
    // Before the QApplication: the empty context the engine's library finds.
    static void deferUntilWebView();
    // Makes the shared context if it is not made yet (main thread, with the application).
    static void ensure();
};
