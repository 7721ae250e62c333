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

#include <string>
#include <vector>

#include "PrivateServer.h"
#include "ScratchDir.h"
#include "XdndSource.h"

namespace {

using Lines = std::vector<std::string>;
const Lines exitSteps = {"app.exit", "event.exit", "app.destroyed"};

// The probe application in a child process, read line by line.
class Probe {
public:
    Probe(const std::string& displayName, Lines args = {}) {
        args.insert(args.begin(), WINDOW_PROBE);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) == 0 && (pid = fork()) == 0) {
            setenv("DISPLAY", displayName.c_str(), 1);
            dup2(fds[1], 1);
            execv(WINDOW_PROBE, argv.data());
            _exit(127);
        }
        close(fds[1]);
        fd = fds[0];
    }
    ~Probe() {
        if (pid > 0 && !reaped) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        close(fd);
    }
    // The next line, or "<eof>" / "<timeout>" after 10 s of silence.
    std::string line() {
        for (size_t nl; (nl = buffer.find('\n')) == std::string::npos;) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 10000) <= 0) return "<timeout>";
            char chunk[512];
            const ssize_t n = read(fd, chunk, sizeof(chunk));
            if (n <= 0) return "<eof>";
            buffer.append(chunk, static_cast<size_t>(n));
        }
        const std::string l = buffer.substr(0, buffer.find('\n'));
        buffer.erase(0, l.size() + 1);
        return l;
    }
    // Whether a line starting with `unwanted` came before the first that starts with `wanted`.
    bool waitFor(const std::string& wanted, const std::string& unwanted = "-") {
        bool seen = false;
        std::string l;
        while ((l = line()).rfind(wanted, 0) != 0 && l[0] != '<') seen |= l.rfind(unwanted, 0) == 0;
        EXPECT_EQ(l.rfind(wanted, 0), 0u) << "never saw " << wanted;
        last = l;
        return seen;
    }
    unsigned long ready() { return waitFor("ready "), std::strtoul(last.c_str() + 6, nullptr, 10); }
    // The next n lines (every one when n < 0) up to the end of the output.
    Lines rest(int n = -1) {
        Lines lines;
        for (std::string l; n-- != 0 && (l = line())[0] != '<';) lines.push_back(l);
        return lines;
    }
    int exitStatus() {
        int status = 0;
        reaped = waitpid(pid, &status, 0) == pid;  // a probe that never ends meets the test's time-out
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }
    pid_t pid = -1;

private:
    int fd = -1;
    bool reaped = false;
    std::string buffer, last;
};

class WindowProcessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(display, nullptr);
        window = probe.ready();
        ASSERT_NE(window, 0ul);
        Window child;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &originX, &originY, &child);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }
    void motion(int x, int y) {
        XTestFakeMotionEvent(display, -1, originX + x, originY + y, CurrentTime);
        XFlush(display);
    }
    void moveTo(int x, int y) {
        motion(x, y);
        probe.waitFor("moved " + std::to_string(x) + " " + std::to_string(y));
    }
    void tap(KeySym sym) {
        for (Bool down : {True, False}) XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), down, CurrentTime);
        XFlush(display);
    }
    void button(unsigned int b, bool down) {
        XTestFakeButtonEvent(display, b, down, CurrentTime);
        XFlush(display);
    }
    PrivateServer server;
    const std::string name = server.start();
    Display* display = XOpenDisplay(name.c_str());
    Probe probe{name};
    unsigned long window = 0;
    int originX = 0, originY = 0;
};

}  // namespace

TEST_F(WindowProcessTest, KeysMouseAndResizeArriveThroughTheXServerAndEscapeRunsTheExitSteps) {
    moveTo(30, 40);
    for (KeySym key : {XK_Right, XK_Shift_L, XK_a}) tap(key);  // modifiers are no keys of their own
    EXPECT_EQ(probe.rest(4), (Lines{"keyPressed 358", "keyReleased 358", "keyPressed 97", "keyReleased 97"}));
    button(1, true);
    EXPECT_EQ(probe.line(), "pressed 30 40 0");
    motion(50, 60);
    EXPECT_FALSE(probe.waitFor("dragged 50 60 0", "moved"));
    button(1, false);
    for (unsigned int b : {4, 5, 3}) button(b, true), button(b, false);  // the wheel is no button
    EXPECT_EQ(probe.rest(3), (Lines{"released 50 60 0", "pressed 50 60 2", "released 50 60 2"}));
    XResizeWindow(display, window, 400, 300);
    XFlush(display);
    probe.waitFor("resized 400 300");
    motion(600, 600);  // leaves the window
    EXPECT_FALSE(probe.waitFor("entry 0", "pressed"));
    tap(XK_Escape);
    probe.waitFor("keyPressed 27");
    EXPECT_EQ(probe.rest(), exitSteps);
    EXPECT_EQ(probe.exitStatus(), 0);
}

TEST_F(WindowProcessTest, DroppedFilesArriveAsOneDragInfoInDropOrderOtherOffersAreTurnedDownAndAVanishedSourceEndsNothing) {
    ScratchDir scratch;
    XdndSource src(display);
    XSetSelectionOwner(display, src.atom("XdndSelection"), src.source, CurrentTime);
    const Window proxy = src.readWindowProperty(window, "XdndProxy");
    ASSERT_NE(proxy, 0ul);
    EXPECT_EQ(src.readWindowProperty(proxy, "XdndProxy"), proxy);
    const std::string uris = "file://" + scratch.path + "/drop%20one.txt\r\nfile://" + scratch.path + "/b%25.png\r\n";
    // A source gone before the answer reaches it ends nothing: the answers below
    // come after the one sent to it.
    const Window live = src.source;
    XDestroyWindow(display, src.source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0));
    src.send(proxy, window, "XdndEnter", 5L << 24, static_cast<long>(src.atom("text/uri-list")), 0, 0);
    src.send(proxy, window, "XdndPosition", 0, ((originX + 5) << 16) | (originY + 5), CurrentTime, 0);
    src.source = live;
    XClientMessageEvent reply;
    for (Atom offered : {Atom(XA_STRING), src.atom("text/uri-list")}) {
        src.send(proxy, window, "XdndEnter", 5L << 24, static_cast<long>(offered), 0, 0);
        src.send(proxy, window, "XdndPosition", 0, ((originX + 70) << 16) | (originY + 80), CurrentTime,
                 static_cast<long>(src.atom("XdndActionCopy")));
        ASSERT_TRUE(src.await("XdndStatus", reply, uris));
        EXPECT_EQ(reply.data.l[1] & 1, offered != XA_STRING);
    }
    EXPECT_EQ(static_cast<Atom>(reply.data.l[4]), src.atom("XdndActionCopy"));
    src.send(proxy, window, "XdndDrop", 0, CurrentTime, 0, 0);
    ASSERT_TRUE(src.await("XdndFinished", reply, uris));
    EXPECT_EQ(reply.data.l[1] & 1, 1);
    EXPECT_FALSE(probe.waitFor("drag 2 70 80 [" + scratch.file("drop one.txt") + "] [" + scratch.file("b%.png") + "]", "event.fileDrag"));
}

// freeglut closes its windows from its own exit handler, which calls the
// close callback; that must not end the process a second time with status 0.
// Only a close by the user, or a termination request, ends it with 0.
TEST(WindowProcessExit, AnExitStatusSurvivesTheWindowsTeardownAndACloseOrASignalRunsTheExitSteps) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const int close = -1;  // the window manager's delete message
    const struct {
        Lines args;
        int action, status;
        Lines ending;
    } cases[] = {
        {{"exit", "3"}, 0, 3, exitSteps},  // through the main loop and the exit callback
        // The application's exit tears the window down while the exit callback runs.
        {{"exit", "4", "teardown"}, 0, 4, {"app.exit", "window.destroyed", "event.exit", "app.destroyed"}},
        {{"return", "5"}, 0, 5, {}},  // no main loop, as a test program: main returns with the window open
        {{"glut-error"}, 0, 1, exitSteps},  // freeglut's own fatal error (a second glutInit)
        {{}, close, 0, exitSteps},
        {{}, SIGTERM, 0, exitSteps},
        {{}, SIGINT, 0, exitSteps},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::to_string(c.action) : c.args[0]);
        Probe probe(DisplayString(display), c.args);
        const Window window = probe.ready();
        ASSERT_NE(window, 0ul);
        if (c.action > 0) kill(probe.pid, c.action);
        if (c.action == close) {
            XClientMessageEvent e{ClientMessage, 0, False, nullptr, window, XInternAtom(display, "WM_PROTOCOLS", False), 32, {}};
            e.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
            XSendEvent(display, window, False, NoEventMask, reinterpret_cast<XEvent*>(&e));
            XFlush(display);
        }
        EXPECT_EQ(probe.rest(), c.ending);
        EXPECT_EQ(probe.exitStatus(), c.status);
    }
    XCloseDisplay(display);
}
