// The game as a player starts it: its own process on its own X server.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "../../../framework/display/PrivateServer.h"

namespace {

using Clock = std::chrono::steady_clock;

// The game's process, its console text going to a file; killed if the test
// ends before the game does.
class Game {
public:
    ~Game() {
        if (pid > 0 && !reaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::filesystem::remove(output);
    }
    void start(const std::string& displayName) {
        pid = fork();
        if (pid == 0) {
            setenv("DISPLAY", displayName.c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || chdir(VANTORIX_ROOT) != 0) _exit(126);
            dup2(out, 1);
            execl(VANTORIX_EXE, VANTORIX_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    std::string text() const {
        std::ifstream in(output);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // The exit code, 1000 + the signal, or -1 if still running after ten seconds.
    int exitStatus() {
        int status = 0;
        for (auto end = Clock::now() + std::chrono::seconds(10); Clock::now() < end;) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

private:
    pid_t pid = -1;
    bool reaped = false;
    std::string output = std::filesystem::temp_directory_path() / ("vantorix_out_" + std::to_string(getpid()));
};

Window findWindow(Display* display, const char* title) {
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::strcmp(name, title) == 0) found = children[i];
            XFree(name);
        }
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

TEST(VantorixProcess, StartsWithItsLinesFitsTheWindowAndClosesWithStatusZero) {
    PrivateServer server;
    std::string name = server.start();
    ASSERT_FALSE(name.empty());
    Display* display = XOpenDisplay(name.c_str());
    ASSERT_NE(display, nullptr);
    Game game;
    game.start(name);

    // The first frames fit the window to the 1024-line screen less 75.
    Window window = 0;
    unsigned int w = 0, h = 0;
    for (auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end && (w != 949 || h != 949);) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!window) window = findWindow(display, "VANTORIX");
        Window root;
        int x, y;
        unsigned int border, depth;
        if (window) XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth);
    }
    ASSERT_NE(window, 0ul);
    EXPECT_EQ(w, 949u);
    EXPECT_EQ(h, 949u);
    // Its console text (pinned line by line elsewhere) came first, ending with the loading line.
    const std::string text = game.text();
    EXPECT_EQ(text.rfind(std::string(23, ' ') + "Welcome to\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n                   ......loading......\n"), std::string::npos) << text;

    XEvent e;
    std::memset(&e, 0, sizeof(e));
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XFlush(display);
    EXPECT_EQ(game.exitStatus(), 0);
    XCloseDisplay(display);
}
