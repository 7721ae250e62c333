// The window as a real process sees it: input through XTest, a drop through
// the XDND protocol, closing through the window manager's delete message.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "PrivateServer.h"
#include "ScratchDir.h"
#include "WaitUntil.h"
#include "XdndSource.h"

namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

// The probe application in a child process, read line by line.
class Probe {
public:
    void start(const std::string& displayName, std::vector<std::string> args = {}) {
        args.insert(args.begin(), WINDOW_PROBE);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            setenv("DISPLAY", displayName.c_str(), 1);
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            execv(WINDOW_PROBE, argv.data());
            _exit(127);
        }
        close(fds[1]);
        fd = fds[0];
    }
    ~Probe() {
        if (pid > 0 && !reaped) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (fd >= 0) close(fd);
    }

    // The next line, or "<eof>" / "<timeout>".
    std::string line(int timeoutMs = 10000) {
        auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            size_t nl = buffer.find('\n');
            if (nl != std::string::npos) {
                std::string l = buffer.substr(0, nl);
                buffer.erase(0, nl + 1);
                return l;
            }
            int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
            if (left <= 0) return "<timeout>";
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, left) <= 0) continue;
            char chunk[512];
            ssize_t n = read(fd, chunk, sizeof(chunk));
            if (n <= 0) return "<eof>";
            buffer.append(chunk, static_cast<size_t>(n));
        }
    }

    // Reads up to the first line that equals `wanted` (or starts with it, for
    // a prefix) and returns the lines read, that one last; fails the test
    // when it never comes.
    std::vector<std::string> waitFor(const std::string& wanted, bool prefix = false) {
        std::vector<std::string> read;
        for (;;) {
            read.push_back(line());
            const std::string& l = read.back();
            if (l == wanted || (prefix && l.compare(0, wanted.size(), wanted) == 0)) return read;
            if (l == "<eof>" || l == "<timeout>") {
                ADD_FAILURE() << "never saw \"" << wanted << "\" (" << l << ")";
                return read;
            }
        }
    }

    // Waits for "ready <window id>" and returns the id.
    unsigned long ready() {
        std::string l = waitFor("ready ", true).back();
        return l.compare(0, 6, "ready ") == 0 ? std::stoul(l.substr(6)) : 0;
    }

    // The next n lines (every one when n < 0) up to the end of the output.
    std::vector<std::string> rest(int n = -1) {
        std::vector<std::string> lines;
        for (std::string l; n-- != 0 && (l = line()) != "<eof>" && l != "<timeout>";) lines.push_back(l);
        return lines;
    }

    void signal(int sig) {
        if (pid > 0) kill(pid, sig);
    }

    int exitStatus() {
        int status = 0;
        waitUntil([&] { return reaped || (reaped = waitpid(pid, &status, WNOHANG) == pid); }, std::chrono::seconds(10));
        if (!reaped) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }

private:
    pid_t pid = -1;
    int fd = -1;
    bool reaped = false;
    std::string buffer;
};

class WindowProcessTest : public testing::Test {
protected:
    void SetUp() override {
        std::string name = server.start();
        ASSERT_FALSE(name.empty());
        display = XOpenDisplay(name.c_str());
        ASSERT_NE(display, nullptr);
        probe.start(name);
        window = probe.ready();
        ASSERT_NE(window, 0ul);
        Window child;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &originX, &originY, &child);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    void moveTo(int x, int y) {
        XTestFakeMotionEvent(display, -1, originX + x, originY + y, CurrentTime);
        XFlush(display);
    }
    void tap(KeySym sym) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), True, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), False, CurrentTime);
        XFlush(display);
    }
    void button(unsigned int b, bool down) {
        XTestFakeButtonEvent(display, b, down, CurrentTime);
        XFlush(display);
    }
    void sendDelete() {
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
    }

    PrivateServer server;
    Probe probe;
    Display* display = nullptr;
    unsigned long window = 0;
    int originX = 0, originY = 0;
};

bool contains(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}

}  // namespace

TEST_F(WindowProcessTest, KeysMouseAndResizeArriveThroughTheXServer) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    moveTo(30, 40);
    probe.waitFor("moved 30 40");

    tap(XK_Right);
    tap(XK_Shift_L);  // modifiers are no keys of their own
    tap(XK_F1);
    tap(XK_a);
    probe.waitFor("keyPressed 358");
    EXPECT_EQ(probe.rest(5), (Lines{"keyReleased 358", "keyPressed 257", "keyReleased 257", "keyPressed 97",
                                    "keyReleased 97"}));

    button(1, true);
    EXPECT_EQ(probe.line(), "pressed 30 40 0");
    moveTo(50, 60);
    EXPECT_FALSE(contains(probe.waitFor("dragged 50 60 0"), "moved"));
    button(1, false);
    EXPECT_EQ(probe.line(), "released 50 60 0");

    for (unsigned int b : {4, 5, 3}) {  // the wheel is no button
        button(b, true);
        button(b, false);
    }
    EXPECT_EQ(probe.rest(2), (Lines{"pressed 50 60 2", "released 50 60 2"}));

    XResizeWindow(display, window, 400, 300);
    XFlush(display);
    probe.waitFor("resized 400 300");

    moveTo(600, 600);  // leaves the window
    EXPECT_FALSE(contains(probe.waitFor("entry 0"), "pressed"));
}

TEST_F(WindowProcessTest, DroppedFilesArriveAsOneDragInfoInDropOrder) {
    ScratchDir scratch;
    const std::string& dir = scratch.path;
    std::string first = scratch.file("drop one.txt");
    std::string second = scratch.file("b%.png");
    std::ofstream(first) << "1";
    std::ofstream(second) << "2";

    XdndSource src(display);
    XSetSelectionOwner(display, src.atom("XdndSelection"), src.source, CurrentTime);
    Window proxy = src.readWindowProperty(window, "XdndProxy");
    ASSERT_NE(proxy, 0ul);
    EXPECT_EQ(src.readWindowProperty(proxy, "XdndProxy"), proxy);

    std::string uris = "file://" + dir + "/drop%20one.txt\r\nfile://" + dir + "/b%25.png\r\n";
    auto enter = [&](Atom offered, long x, long y) {
        src.send(proxy, window, "XdndEnter", 5L << 24, static_cast<long>(offered), 0, 0);
        src.send(proxy, window, "XdndPosition", 0, ((originX + x) << 16) | (originY + y), CurrentTime,
                 static_cast<long>(src.atom("XdndActionCopy")));
    };
    enter(src.atom("text/uri-list"), 70, 80);
    XClientMessageEvent status;
    ASSERT_TRUE(src.await("XdndStatus", status, uris));
    EXPECT_EQ(static_cast<Window>(status.data.l[0]), window);
    EXPECT_EQ(status.data.l[1] & 1, 1);
    EXPECT_EQ(static_cast<Atom>(status.data.l[4]), src.atom("XdndActionCopy"));

    src.send(proxy, window, "XdndDrop", 0, CurrentTime, 0, 0);
    XClientMessageEvent finished;
    ASSERT_TRUE(src.await("XdndFinished", finished, uris));
    EXPECT_EQ(finished.data.l[1] & 1, 1);

    EXPECT_FALSE(contains(probe.waitFor("drag 2 70 80 [" + first + "] [" + second + "]"), "event.fileDrag"));

    // A source offering no file list is turned down.
    enter(XA_STRING, 10, 10);
    ASSERT_TRUE(src.await("XdndStatus", status, uris));
    EXPECT_EQ(status.data.l[1] & 1, 0);
    src.send(proxy, window, "XdndLeave", 0, 0, 0, 0);

    sendDelete();
    probe.waitFor("event.exit");
    EXPECT_EQ(probe.exitStatus(), 0);
}

TEST_F(WindowProcessTest, ClosingTheWindowRunsTheExitStepsInOrderThenTheDestructor) {
    sendDelete();
    Lines lines = probe.rest();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"app.exit", "event.exit", "app.destroyed"}));
    EXPECT_EQ(probe.exitStatus(), 0);
}

TEST_F(WindowProcessTest, EscapeEndsTheProcessTheSameWay) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    moveTo(10, 10);
    probe.waitFor("moved 10 10");
    tap(XK_Escape);
    probe.waitFor("keyPressed 27");
    EXPECT_EQ(probe.rest(), (Lines{"app.exit", "event.exit", "app.destroyed"}));
    EXPECT_EQ(probe.exitStatus(), 0);
}

// freeglut closes its windows from its own exit handler, which calls the
// close callback; that must not end the process a second time with status 0.
// Only a close by the user ends it with 0.
TEST(WindowProcessExit, AnExitStatusSurvivesTheWindowsTeardown) {
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    struct Case {
        Lines args;
        int status;
        Lines ending;
    };
    const Case cases[] = {
        // Through the main loop and the exit callback.
        {{"exit", "3"}, 3, {"app.exit", "event.exit", "app.destroyed"}},
        // The application's exit tears the window down while the exit callback runs.
        {{"exit", "4", "teardown"}, 4, {"app.exit", "window.destroyed", "event.exit", "app.destroyed"}},
        // No main loop, as a test program: main returns with the window open.
        {{"return", "5"}, 5, {}},
        // freeglut's own fatal error (here: a second glutInit) is a failure too.
        {{"glut-error"}, 1, {"app.exit", "event.exit", "app.destroyed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        Probe probe;
        probe.start(display, c.args);
        ASSERT_NE(probe.ready(), 0ul);
        EXPECT_EQ(probe.rest(), c.ending);
        EXPECT_EQ(probe.exitStatus(), c.status);
    }
}

// A termination request from the system or the terminal ends the app as its
// own quit does: the exit steps in order, status 0.
TEST(WindowProcessExit, TerminationSignalsEndTheAppThroughItsExitSteps) {
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        Probe probe;
        probe.start(display);
        ASSERT_NE(probe.ready(), 0ul);
        probe.signal(sig);
        EXPECT_EQ(probe.rest(), (Lines{"app.exit", "event.exit", "app.destroyed"}));
        EXPECT_EQ(probe.exitStatus(), 0);
    }
}
