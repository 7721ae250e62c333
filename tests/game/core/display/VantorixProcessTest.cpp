// The game as a player starts it: its own process on its own X server.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "../../../framework/display/PrivateServer.h"

namespace {

using Clock = std::chrono::steady_clock;

class Game {
public:
    ~Game() {
        if (pid > 0 && !reaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (fd >= 0) close(fd);
    }

    void start(const std::string& displayName) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            setenv("DISPLAY", displayName.c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            if (chdir(VANTORIX_ROOT) != 0) _exit(126);
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            execl(VANTORIX_EXE, VANTORIX_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        fd = fds[0];
    }

    // The lines written up to and including `last`, or up to end of output.
    std::vector<std::string> linesUpTo(const std::string& last, int timeoutMs = 20000) {
        std::vector<std::string> lines;
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            size_t nl = buffer.find('\n');
            if (nl != std::string::npos) {
                lines.push_back(buffer.substr(0, nl));
                buffer.erase(0, nl + 1);
                if (lines.back() == last) return lines;
                continue;
            }
            int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
            pollfd p{fd, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, left) <= 0) return lines;
            char chunk[512];
            ssize_t n = read(fd, chunk, sizeof(chunk));
            if (n <= 0) return lines;
            buffer.append(chunk, static_cast<size_t>(n));
        }
    }

    int exitStatus(int timeoutMs = 10000) {
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        int status = 0;
        while (Clock::now() < end) {
            // Keep the pipe drained so the game never blocks on its output.
            char chunk[4096];
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 0) > 0) (void)!read(fd, chunk, sizeof(chunk));
            if (waitpid(pid, &status, WNOHANG) == pid) {
                reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    pid_t pid = -1;

private:
    int fd = -1;
    bool reaped = false;
    std::string buffer;
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
    // Its console text (pinned line by line elsewhere) ends with the loading line.
    std::vector<std::string> lines = game.linesUpTo("                   ......loading......");
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], std::string(23, ' ') + "Welcome to");

    // The first frames fit the window to the 1024-line screen less 75.
    Window window = 0;
    unsigned int w = 0, h = 0;
    auto end = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < end) {
        if (!window) window = findWindow(display, "VANTORIX");
        if (window) {
            Window root;
            int x, y;
            unsigned int border, depth;
            XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth);
            if (w == 949 && h == 949) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(window, 0ul);
    EXPECT_EQ(w, 949u);
    EXPECT_EQ(h, 949u);

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
