// Files dropped on the window from a drag source of the test's own, which
// speaks XDND to the window's drop proxy while the window polls for drops.
#include <gtest/gtest.h>

#include "GLTestWindow.h"  // before the other GL headers

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "PrivateGlutServer.h"
#include "WindowLookup.h"
#include "XdndSource.h"
#include "ofAppGlutWindow.h"
#include "ofBaseApp.h"

namespace {

using Lines = std::vector<std::string>;

struct DropApp : ofBaseApp {
    void dragEvent(ofDragInfo info) override {
        std::string line = "drag " + std::to_string(static_cast<int>(info.position.x)) + " " +
                           std::to_string(static_cast<int>(info.position.y));
        for (const std::string& f : info.files) line += " [" + f + "]";
        drops.push_back(line);
    }
    Lines drops;
};

// A drag source on a connection of its own, aimed at the window's drop proxy.
struct DropSource {
    struct Connection {
        Display* d = XOpenDisplay(nullptr);
        ~Connection() { XCloseDisplay(d); }
    } connection;
    Display* d = connection.d;
    XdndSource src{d};
    unsigned long window = vxRecordedWindow();
    Window proxy = src.readWindowProperty(window, "XdndProxy");
    int originX = 0, originY = 0;

    DropSource() {
        Window child;
        XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &originX, &originY, &child);
        XSetSelectionOwner(d, src.atom("XdndSelection"), src.source, CurrentTime);
        src.between = [] { ofAppGlutWindow::pollDrops(); };
    }
    ~DropSource() { ofAppGlutWindow::setLoopApp(nullptr); }
    void send(const char* type, long l1 = 0, long l2 = 0, long l3 = 0, long l4 = 0) {
        src.send(proxy, window, type, l1, l2, l3, l4);
    }
    void enter(long flags, Atom offered) { send("XdndEnter", flags, static_cast<long>(offered)); }
    void position(long x, long y) {
        send("XdndPosition", 0, ((originX + x) << 16) | (originY + y), CurrentTime,
             static_cast<long>(src.atom("XdndActionCopy")));
    }
    // The client messages that reached the source so far, by type name.
    Lines drain() {
        XSync(d, False);
        Lines names;
        for (XEvent e; XPending(d);) {
            XNextEvent(d, &e);
            if (e.type != ClientMessage) continue;
            char* name = XGetAtomName(d, e.xclient.message_type);
            names.push_back(name ? name : "?");
            if (name) XFree(name);
        }
        return names;
    }
    // The answers' accept bits, as "status N finished N".
    std::string dropAndAwait(const std::string& uris) {
        XClientMessageEvent status{}, finished{};
        if (!src.await("XdndStatus", status, uris)) return "no status";
        send("XdndDrop", 0, CurrentTime);
        if (!src.await("XdndFinished", finished, uris)) return "no finish";
        ofAppGlutWindow::pollDrops();
        const bool copies = static_cast<Atom>(finished.data.l[2]) == src.atom("XdndActionCopy");
        return "status " + std::to_string(status.data.l[1] & 1) + " finished " + std::to_string(finished.data.l[1] & 1) +
               (copies ? " copy" : "");
    }
};

const long version5 = 5L << 24;

struct GlutWindowDropTest : testing::Test {
    void SetUp() override {
        usePrivateServer();
        window = &GLTestWindow::open(320, 240);
    }
    ofAppGlutWindow* window = nullptr;  // the process's one window, alive until the process ends
};

}  // namespace

TEST_F(GlutWindowDropTest, DroppedFilesArriveAsOneDragInfoInDropOrderAndOffersWithoutFileListsAreTurnedDown) {
    DropSource drop;
    ASSERT_NE(drop.proxy, 0ul);
    EXPECT_EQ(drop.src.readWindowProperty(drop.window, "XdndAware"), 5ul);
    DropApp app;
    ofAppGlutWindow::setLoopApp(&app);
    const Atom uriList = drop.src.atom("text/uri-list"), typeList = drop.src.atom("XdndTypeList");
    const std::string uris = "file:///tmp/drop%20one.txt\r\nfile:///tmp/two\r\n";
    // More than three types: the source lists them in a property of its window.
    const Atom many[] = {XA_STRING, drop.src.atom("UTF8_STRING"), drop.src.atom("TEXT"), uriList};
    const struct {
        const char* offer;
        long flags;
        Atom offered;
        const Atom* list;
        int listed;
        const char* answers;
        Lines drops;
        bool refused = false;  // the source refuses to hand over the list
    } cases[] = {
        {"uri list", version5, uriList, nullptr, 0, "status 1 finished 1 copy", {"drag 5 6 [/tmp/drop one.txt] [/tmp/two]"}},
        {"text only", version5, XA_STRING, nullptr, 0, "status 0 finished 0", {}},
        {"listed types", version5 | 1, None, many, 4, "status 1 finished 1 copy", {"drag 5 6 [/tmp/drop one.txt] [/tmp/two]"}},
        {"listed text only", version5 | 1, None, many, 3, "status 0 finished 0", {}},
        {"version 2 source", 2L << 24, uriList, nullptr, 0, "status 0 finished 0", {}},
        {"list refused", version5, uriList, nullptr, 0, "status 1 finished 0", {}, true},
    };
    for (const auto& c : cases) {
        app.drops.clear();
        drop.src.heard.clear();
        drop.src.refuseData = c.refused;
        XChangeProperty(drop.d, drop.src.source, typeList, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(c.list), c.listed);
        drop.enter(c.flags, c.offered);
        drop.position(5, 6);
        EXPECT_EQ(drop.dropAndAwait(uris), c.answers) << c.offer;
        EXPECT_EQ(app.drops, c.drops) << c.offer;
        EXPECT_EQ(drop.src.heard, (Lines{"XdndStatus", "XdndFinished"})) << c.offer;
    }
}

TEST_F(GlutWindowDropTest, WithoutAnApplicationADropIsFinishedAndIgnoredWithAWarning) {
    DropSource drop;
    ASSERT_NE(drop.proxy, 0ul);
    ofAppGlutWindow::setLoopApp(nullptr);
    std::string answers;
    const CapturedOutput o = captureOutput([&] {
        drop.enter(version5, drop.src.atom("text/uri-list"));
        drop.position(1, 1);
        answers = drop.dropAndAwait("file:///tmp/x\r\n");
    });
    EXPECT_EQ(answers, "status 1 finished 1 copy");
    EXPECT_EQ(o.out, "[warning] dropped files ignored: no application to receive them\n");
}

// A drop after the source left, or from a source that never entered, is
// no drop: nothing answers it, and the next whole drop still arrives.
TEST_F(GlutWindowDropTest, LeavingOrStrangeSourcesDropNothingAndAVanishedSourceEndsNothing) {
    DropSource drop;
    ASSERT_NE(drop.proxy, 0ul);
    DropApp app;
    ofAppGlutWindow::setLoopApp(&app);
    const Atom uriList = drop.src.atom("text/uri-list");
    drop.enter(version5, uriList);
    drop.position(3, 4);
    drop.send("XdndLeave");
    drop.send("XdndDrop", 0, CurrentTime);
    // A stranger's position and drop: its window is not the source that entered.
    const Window own = drop.src.source;
    drop.src.source = XCreateSimpleWindow(drop.d, DefaultRootWindow(drop.d), 0, 0, 1, 1, 0, 0, 0);
    const Window stranger = drop.src.source;
    drop.position(7, 7);
    drop.send("XdndDrop", 0, CurrentTime);
    // A source that enters and drops, then vanishes before the answers reach it.
    drop.enter(version5, uriList);
    drop.position(8, 8);
    drop.send("XdndDrop", 0, CurrentTime);
    XDestroyWindow(drop.d, stranger);
    XSync(drop.d, False);
    for (int i = 0; i < 20; ++i) ofAppGlutWindow::pollDrops(), GLTestWindow::pump(1);
    // Only the first position was answered.
    EXPECT_EQ(drop.drain(), Lines{"XdndStatus"});
    EXPECT_EQ(app.drops, Lines{});
    drop.src.source = own;
    drop.enter(version5, uriList);
    drop.position(9, 10);
    EXPECT_EQ(drop.dropAndAwait("file:///tmp/late\r\n"), "status 1 finished 1 copy");
    EXPECT_EQ(app.drops, Lines{"drag 9 10 [/tmp/late]"});
    EXPECT_EQ(drop.src.heard, (Lines{"XdndStatus", "XdndFinished"}));
}

// Setting the window up again replaces the drop target: the old one's
// connection and proxy go, and drops reach the window through the new one.
TEST_F(GlutWindowDropTest, InitialisingTheWindowAgainLeavesOneProxyAndNoConnectionBehind) {
    auto openFiles = [] {
        const std::filesystem::directory_iterator fds("/proc/self/fd");
        return std::distance(begin(fds), end(fds));
    };
    const long before = openFiles();
    for (int i = 0; i < 3; ++i) window->initializeWindow();
    EXPECT_EQ(openFiles(), before);
    DropSource drop;
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    ASSERT_TRUE(XQueryTree(drop.d, DefaultRootWindow(drop.d), &root, &parent, &children, &count));
    Lines proxies;  // top-level windows that name themselves as proxy
    for (unsigned int i = 0; i < count; ++i)
        if (drop.src.readWindowProperty(children[i], "XdndProxy") == children[i]) proxies.push_back(std::to_string(children[i]));
    if (children) XFree(children);
    EXPECT_EQ(proxies, Lines{std::to_string(drop.proxy)});
    DropApp app;
    ofAppGlutWindow::setLoopApp(&app);
    drop.enter(version5, drop.src.atom("text/uri-list"));
    drop.position(2, 3);
    EXPECT_EQ(drop.dropAndAwait("file:///tmp/again\r\n"), "status 1 finished 1 copy");
    EXPECT_EQ(app.drops, Lines{"drag 2 3 [/tmp/again]"});
}
