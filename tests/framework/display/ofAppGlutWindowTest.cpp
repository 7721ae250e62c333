#include <gtest/gtest.h>

#include "GLTestWindow.h"
#include "PrivateServer.h"
#include "XdndSource.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "WindowLookup.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace {

using Lines = std::vector<std::string>;
Lines seen;

std::string xy(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

struct RecordingApp : ofBaseApp {
    void keyPressed(int key) override { seen.push_back("down " + std::to_string(key)); }
    void keyReleased(int key) override { seen.push_back("up " + std::to_string(key)); }
    void mouseMoved(int x, int y) override { seen.push_back("moved " + xy(x, y)); }
    void mouseDragged(int x, int y, int b) override { seen.push_back("dragged " + xy(x, y) + " " + std::to_string(b)); }
    void mousePressed(int x, int y, int b) override { seen.push_back("pressed " + xy(x, y) + " " + std::to_string(b)); }
    void mouseReleased(int x, int y, int b) override {
        seen.push_back("released " + xy(x, y) + " " + std::to_string(b));
    }
    void windowResized(int w, int h) override { seen.push_back("resized " + xy(w, h)); }
    void windowEntry(int state) override { seen.push_back("entry " + std::to_string(state)); }
    void dragEvent(ofDragInfo info) override { seen.push_back("drag " + std::to_string(info.files.size())); }
    // Frame n paints a red square at x = 10 n.
    void draw() override {
        ofSetColor(255, 0, 0);
        ofRect(10.0f * drawn++, 0, 10, 10);
    }
    int drawn = 0;
};

class GlutWindowTest : public testing::Test {
protected:
    void SetUp() override { seen.clear(); }
    void TearDown() override { ofSetAppPtr(nullptr); }
};

// Drops go through the server-wide XdndSelection, which a drop test in
// another process may own at any moment: such tests open their window on a
// server of their own. It is stopped by an exit handler registered before
// freeglut starts, so it outlives freeglut's own teardown at exit.
void usePrivateServer() {
    static PrivateServer* server = nullptr;
    if (server || glutGet(GLUT_INIT_STATE)) return;  // too late to move GLUT elsewhere
    server = new PrivateServer;
    std::string name = server->start();
    ASSERT_FALSE(name.empty());
    setenv("DISPLAY", name.c_str(), 1);
    std::atexit([] { delete server; });
}

// What the window shows at (x, y) as 0xRRGGBB, read from the X server after
// the OpenGL connection's requests (the presented frames) have reached it.
unsigned long shown(int x, int y) {
    Display* d = glXGetCurrentDisplay();
    XSync(d, False);
    XImage* image = XGetImage(d, glXGetCurrentDrawable(), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

}  // namespace

TEST_F(GlutWindowTest, OpensTheWindowAndRecordsItsIdAndTitle) {
    ofAppGlutWindow& window = GLTestWindow::open(320, 240);
    EXPECT_EQ(ofGetWindowPtr(), &window);
    EXPECT_EQ(xy(ofGetWidth(), ofGetHeight()), "320 240");
    EXPECT_EQ(xy(ofGetScreenWidth(), ofGetScreenHeight()), "1280 1024");

    unsigned long id = vxRecordedWindow();
    EXPECT_EQ(id, static_cast<unsigned long>(glXGetCurrentDrawable()));
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);
    ofSetWindowTitle("VANTORIX");
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), id);

    // The X server has the title too, and the window is marked drop-aware (version 5).
    GLTestWindow::pump();
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(d, id, &name));
    EXPECT_STREQ(name, "VANTORIX");
    XFree(name);
    XdndSource probe(d);
    EXPECT_EQ(probe.readWindowProperty(id, "XdndAware"), 5ul);
    XCloseDisplay(d);

    // Reshape updates the window rectangle; a quarter turn swaps the sizes.
    ofAppGlutWindow::reshape(1000, 700);
    ofRectangle rect = ofGetWindowRect();
    EXPECT_EQ(std::vector<float>({rect.x, rect.y, rect.width, rect.height}), std::vector<float>({0, 0, 1000, 700}));
    window.setOrientation(OF_ORIENTATION_90_LEFT);
    EXPECT_EQ(xy(ofGetWidth(), ofGetHeight()), "700 1000");
    window.setOrientation(OF_ORIENTATION_DEFAULT);
}

// Keys and buttons go through the X server in the window process test; here
// the mouse's turn with the orientation.
TEST_F(GlutWindowTest, MouseReachesTheApplicationAfterTheFirstDisplayTurnedWithTheWindow) {
    GLTestWindow::open(320, 240);
    ofSetAppPtr(std::make_shared<RecordingApp>());
    if (ofGetFrameNum() == 0) {
        ofAppGlutWindow::mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 6);
        ofAppGlutWindow::passiveMotion(7, 8);
        EXPECT_EQ(seen, Lines{});
        ofAppGlutWindow::display();
    }
    seen.clear();
    ofAppGlutWindow::reshape(300, 200);
    ofAppGlutWindow::passiveMotion(50, 60);
    EXPECT_EQ(seen, (Lines{"resized 300 200", "moved 50 60"}));
    EXPECT_EQ(xy(ofGetAppPtr()->mouseX, ofGetAppPtr()->mouseY), "50 60");

    ofAppGlutWindow& window = *static_cast<ofAppGlutWindow*>(ofGetWindowPtr());
    struct Turn {
        int orientation;
        std::string point;
    };
    for (Turn t : {Turn{OF_ORIENTATION_DEFAULT, "10 20"}, Turn{OF_ORIENTATION_180, "290 180"},
                   Turn{OF_ORIENTATION_90_LEFT, "20 290"}, Turn{OF_ORIENTATION_90_RIGHT, "180 10"}}) {
        int x = 10, y = 20;
        if (t.orientation == OF_ORIENTATION_90_LEFT) window.setOrientation(t.orientation);  // sizes swap
        ofAppGlutWindow::rotateMouse(t.orientation, x, y);
        EXPECT_EQ(xy(x, y), t.point) << t.orientation;
    }
    window.setOrientation(OF_ORIENTATION_DEFAULT);
}

TEST_F(GlutWindowTest, AutomaticClearShowsOnlyTheLastFrame) {
    GLTestWindow::open(320, 240);
    XSetWindowAttributes keep;  // the X server keeps what the window shows while covered
    keep.backing_store = Always;
    XChangeWindowAttributes(glXGetCurrentDisplay(), glXGetCurrentDrawable(), CWBackingStore, &keep);
    auto app = std::make_shared<RecordingApp>();
    ofSetAppPtr(app);
    ofBackground(0, 0, 255, 255);
    int first = ofGetFrameNum();
    for (int i = 0; i < 6; ++i) ofAppGlutWindow::display();
    EXPECT_EQ(ofGetFrameNum(), first + 6);
    // Another window on top (other tests open theirs on this server too).
    Display* d = glXGetCurrentDisplay();
    Window cover = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 0, 0xffffff);
    XMapRaised(d, cover);
    // The window shows the sixth frame only, on the background.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shown(10 * i + 5, 5), i == 5 ? 0xff0000ul : 0x0000fful) << i;
    EXPECT_EQ(shown(200, 200), 0x0000fful);
    XDestroyWindow(d, cover);
}

TEST_F(GlutWindowTest, WithoutAutomaticClearFramesAddUpAfterTheFirstThree) {
    GLTestWindow::open(320, 240);
    auto app = std::make_shared<RecordingApp>();
    ofSetAppPtr(app);
    ofSetBackgroundAuto(false);
    ofBackground(0, 0, 255, 255);
    GLTestWindow::pump();   // let the map and its reshape arrive first
    ofAppGlutWindow fresh;  // a new window object starts the frame count again
    ofSetWindowShape(320, 240);
    ASSERT_EQ(ofGetFrameNum(), 0);
    app->drawn = 0;
    for (int i = 0; i < 6; ++i) ofAppGlutWindow::display();
    // Frames 0 to 2 are cleared away again; 3 to 5 stay on the front buffer.
    std::string front;
    for (int i = 0; i < 8; ++i) front += GLTestWindow::pixel(10 * i + 5, 5, GL_FRONT) == ofColor(255, 0, 0) ? 'R' : '.';
    EXPECT_EQ(front, "...RRR..");
    EXPECT_EQ(GLTestWindow::pixel(100, 100, GL_FRONT), ofColor(0, 0, 255, 255));

    // A reshape starts the clearing again for three frames.
    ofAppGlutWindow::reshape(320, 240);
    app->drawn = 10;
    ofAppGlutWindow::display();
    EXPECT_EQ(GLTestWindow::pixel(105, 5, GL_FRONT), ofColor(0, 0, 255, 255));
    EXPECT_EQ(GLTestWindow::pixel(35, 5, GL_FRONT), ofColor(0, 0, 255, 255));
}

TEST_F(GlutWindowTest, FullScreenIsQueuedUntilTheNextDisplayAndUndone) {
    usePrivateServer();  // other tests' windows would expose this one, and an expose displays
    ofAppGlutWindow& window = GLTestWindow::open(320, 240);
    auto size = [] { return xy(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)); };
    ofAppGlutWindow::display();
    GLTestWindow::pump();
    window.setFullscreen(true);
    window.setFullscreen(true);
    EXPECT_EQ(window.getWindowMode(), OF_FULLSCREEN);
    GLTestWindow::pump(5);
    EXPECT_EQ(size(), "320 240");  // nothing happens before a display
    ofAppGlutWindow::display();
    GLTestWindow::pump(50);
    EXPECT_EQ(size(), "1280 1024");
    EXPECT_EQ(ofGetWindowWidth(), 1280);

    window.toggleFullscreen();
    EXPECT_EQ(window.getWindowMode(), OF_WINDOW);
    ofAppGlutWindow::display();
    GLTestWindow::pump(50);
    EXPECT_EQ(size(), "320 240");

    ofSetWindowShape(400, 300);
    GLTestWindow::pump(50);
    EXPECT_EQ(ofGetWindowWidth(), 400);
}

TEST_F(GlutWindowTest, UnavailableGameModeLogsAndFallsBackToAFullScreenWindow) {
    static ofAppGlutWindow window;
    testing::internal::CaptureStderr();
    ofSetupOpenGL(&window, 333, 222, OF_GAME_MODE);
    std::string err = testing::internal::GetCapturedStderr();
    if (err.empty()) GTEST_SKIP() << "this X server offers the game mode";
    EXPECT_EQ(err, "[error] game mode error: selected format (333x222:32@60) not available \n\n");
    EXPECT_EQ(window.getWindowMode(), OF_FULLSCREEN);
    EXPECT_NE(vxRecordedWindow(), 0ul);
    // In game mode neither call would change anything; here the window can.
    window.setFullscreen(false);
    EXPECT_EQ(window.getWindowMode(), OF_WINDOW);
}

TEST_F(GlutWindowTest, ASecondSetupReplacesWindowAndRenderer) {
    GLTestWindow::open(200, 200);
    std::weak_ptr<ofBaseRenderer> first = ofGetCurrentRenderer();
    static ofAppGlutWindow second;
    ofSetupOpenGL(&second, 210, 190, OF_WINDOW);
    EXPECT_EQ(ofGetWindowPtr(), &second);
    EXPECT_TRUE(first.expired());
    EXPECT_EQ(ofGetCurrentRenderer()->getType(), "GL");
    EXPECT_EQ(ofGetWindowWidth(), 210);
}

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
    }
    ~DropSource() { ofAppGlutWindow::setLoopApp(nullptr); }
    void enter(long x, long y, long action) {
        src.send(proxy, window, "XdndEnter", 5L << 24, static_cast<long>(src.atom("text/uri-list")), 0, 0);
        src.send(proxy, window, "XdndPosition", 0, ((originX + x) << 16) | (originY + y), CurrentTime, action);
    }
};

TEST_F(GlutWindowTest, DropsGoToTheLoopApplicationOrAreIgnoredWithAWarning) {
    usePrivateServer();
    GLTestWindow::open(320, 240);
    DropSource drop;
    ASSERT_NE(drop.proxy, 0ul);
    drop.src.between = [] { ofAppGlutWindow::pollDrops(); };
    XSetSelectionOwner(drop.d, drop.src.atom("XdndSelection"), drop.src.source, CurrentTime);
    const std::string uris = "file:///tmp/one\r\nfile:///tmp/two\r\n";
    auto dropOnce = [&] {
        XClientMessageEvent reply;
        drop.enter(5, 6, static_cast<long>(drop.src.atom("XdndActionCopy")));
        ASSERT_TRUE(drop.src.await("XdndStatus", reply, uris));
        drop.src.send(drop.proxy, drop.window, "XdndDrop", 0, CurrentTime, 0, 0);
        ASSERT_TRUE(drop.src.await("XdndFinished", reply, uris));
        ofAppGlutWindow::pollDrops();
    };

    ofAppGlutWindow::setLoopApp(nullptr);
    testing::internal::CaptureStdout();
    dropOnce();
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[warning] dropped files ignored: no application to receive them\n");

    RecordingApp app;
    ofAppGlutWindow::setLoopApp(&app);
    dropOnce();
    EXPECT_EQ(seen, (Lines{"drag 2"}));
}

TEST_F(GlutWindowTest, ADragSourceThatVanishesDoesNotEndTheProcess) {
    usePrivateServer();
    GLTestWindow::open(320, 240);
    DropSource drop;
    ASSERT_NE(drop.proxy, 0ul);
    drop.enter(10, 10, 0);
    drop.src.send(drop.proxy, drop.window, "XdndDrop", 0, CurrentTime, 0, 0);
    XDestroyWindow(drop.d, drop.src.source);  // gone before the answers reach it
    drop.src.source = XCreateSimpleWindow(drop.d, DefaultRootWindow(drop.d), 0, 0, 1, 1, 0, 0, 0);
    XSync(drop.d, False);
    RecordingApp app;
    ofAppGlutWindow::setLoopApp(&app);
    for (int i = 0; i < 50; ++i) {
        ofAppGlutWindow::pollDrops();
        GLTestWindow::pump(1);
    }
    EXPECT_EQ(seen, Lines{});
}
