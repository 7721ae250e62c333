#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "vantorixPC.h"

namespace {
// The start-up check's connection, owned here for the whole run and closed by
// the process's end. Closing it before GLUT connects would reset a server that
// has no other client, and GLUT's own connection would then fail.
Display* display = nullptr;
}  // namespace

int main() {
    // Without an X display GLUT would only print its own error and quit. A
    // server started just before the game may need a moment to take clients.
    display = XOpenDisplay(nullptr);
    const char* name = std::getenv("DISPLAY");
    for (int tries = 0; !display && name && *name && tries < 20; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display = XOpenDisplay(nullptr);
    }
    if (!display) {
        std::fprintf(stderr,
                     "VANTORIX needs an X display to open its window, and none could be opened.\n"
                     "Run it from a desktop session, or try a virtual screen:\n"
                     "  xvfb-run -s \"-screen 0 1280x1024x24\" build/vantorix\n");
        return 1;
    }

    ofAppGlutWindow window;
    ofSetupOpenGL(&window, 960, 960, OF_WINDOW);
    ofRunApp(new vantorixPC());
    return 0;
}
