// The game as a player starts it: its own process on its own X server.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "../../../framework/display/PrivateServer.h"
#include "ScratchDir.h"

namespace {

using Clock = std::chrono::steady_clock;

Window findWindow(Display* display, const char* title) {
    Window root, parent, *children = nullptr, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) found = std::strcmp(name, title) == 0 ? children[i] : 0;
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

TEST(VantorixProcess, StartsFitsTheWindowAndClosesWithStatusZero) {
    PrivateServer server;
    const std::string name = server.start();
    ASSERT_FALSE(name.empty());
    Display* display = XOpenDisplay(name.c_str());
    ASSERT_NE(display, nullptr);
    // The game saves into data/ of its working folder: give it one of its own
    // that borrows the checkout's sounds, so the checkout stays untouched.
    ScratchDir home;
    namespace fs = std::filesystem;
    fs::create_directory(home.file("data"));
    fs::create_directory_symlink(fs::path(VANTORIX_ROOT) / "data" / "audio", home.file("data/audio"));
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", name.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet < 0 || chdir(home.path.c_str()) != 0 || dup2(quiet, 1) < 0) _exit(126);
        execl(VANTORIX_EXE, VANTORIX_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }

    // The first frames fit the window to the 1024-line screen less 75.
    Window window = 0, root;
    int x, y;
    unsigned int w = 0, h = 0, border, depth;
    for (auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end && (w != 949 || h != 949);) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!window) window = findWindow(display, "VANTORIX");
        if (window) XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth);
    }
    EXPECT_TRUE(window != 0 && w == 949 && h == 949) << w << "x" << h;

    if (window) {
        XEvent e = {};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &e);
        XFlush(display);
    }
    // The exit code, 1000 + the signal, or -1 if still running after ten seconds.
    int status = -1, raw = 0;
    for (auto end = Clock::now() + std::chrono::seconds(10); Clock::now() < end && status < 0;) {
        if (waitpid(pid, &raw, WNOHANG) == pid) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (status < 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
    EXPECT_EQ(status, 0);
    XCloseDisplay(display);
    EXPECT_TRUE(fs::is_regular_file(home.file("data/playerData.xml")));
    EXPECT_TRUE(fs::is_regular_file(home.file("data/missions.xml")));
}
