#include <gtest/gtest.h>

#include "GLTestWindow.h"  // before the other GL headers

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PrivateServer.h"
#include "WindowLookup.h"
#include "XdndSource.h"  // reads the drop-awareness
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofGraphics.h"

namespace {

using Lines = std::vector<std::string>;
Lines seen;

std::string xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

struct RecordingApp : ofBaseApp {
    void mouseMoved(int x, int y) override { seen.push_back("moved " + xy(x, y)); }
    void mousePressed(int x, int y, int) override { seen.push_back("pressed " + xy(x, y)); }
    void windowResized(int w, int h) override { seen.push_back("resized " + xy(w, h)); }
    void draw() override {  // frame n paints a red square at x = 10 n
        ofSetColor(255, 0, 0);
        ofRect(10.0f * drawn++, 0, 10, 10);
    }
    int drawn = 0;
};

struct GlutWindowTest : testing::Test {
    void TearDown() override { ofSetAppPtr(nullptr); }
};

// Another test's window on the shared server exposes this one, and an expose
// displays: such tests open their window on a server of their own, stopped by
// an exit handler registered before freeglut starts, so it outlives freeglut's teardown.
void usePrivateServer() {
    static PrivateServer* server = nullptr;
    if (server || glutGet(GLUT_INIT_STATE)) return;  // too late to move GLUT elsewhere
    server = new PrivateServer;
    const std::string name = server->start();
    ASSERT_FALSE(name.empty());
    setenv("DISPLAY", name.c_str(), 1);
    std::atexit([] { delete server; });
}

}  // namespace

TEST_F(GlutWindowTest, OpensTheWindowUnderItsTitleAndPassesTheMouseOnFromTheFirstDisplay) {
    ofAppGlutWindow& window = GLTestWindow::open(320, 240);
    EXPECT_EQ(ofGetWindowPtr(), &window);
    EXPECT_EQ(xy(ofGetWidth(), ofGetHeight()) + " " + xy(ofGetScreenWidth(), ofGetScreenHeight()), "320 240 1280 1024");
    const unsigned long id = vxRecordedWindow();
    EXPECT_EQ(id, static_cast<unsigned long>(glXGetCurrentDrawable()));
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), 0ul);
    ofSetWindowTitle("VANTORIX");
    EXPECT_EQ(FindWindowW(nullptr, L"VANTORIX"), id);
    EXPECT_EQ(XdndSource(glXGetCurrentDisplay()).readWindowProperty(id, "XdndAware"), 5ul);

    ofSetAppPtr(std::make_shared<RecordingApp>());
    if (ofGetFrameNum() == 0) {  // no mouse before the first display
        ofAppGlutWindow::mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 6);
        ofAppGlutWindow::display();
    }
    ofAppGlutWindow::reshape(300, 200);
    ofAppGlutWindow::passiveMotion(50, 60);
    EXPECT_EQ(seen, (Lines{"resized 300 200", "moved 50 60"}));
    EXPECT_EQ(xy(ofGetAppPtr()->mouseX, ofGetAppPtr()->mouseY), "50 60");
}

TEST_F(GlutWindowTest, AutomaticClearShowsOnlyTheLastFrame) {
    GLTestWindow::open(320, 240);
    Display* d = glXGetCurrentDisplay();
    XSetWindowAttributes keep{};  // the X server keeps what the window shows while covered
    keep.backing_store = Always;
    XChangeWindowAttributes(d, glXGetCurrentDrawable(), CWBackingStore, &keep);
    ofSetAppPtr(std::make_shared<RecordingApp>());
    ofBackground(0, 0, 255, 255);
    for (int i = 0; i < 6; ++i) ofAppGlutWindow::display();
    XMapRaised(d, XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 0, 0xffffff));  // on top
    XSync(d, False);
    XImage* image = XGetImage(d, glXGetCurrentDrawable(), 0, 0, 80, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    std::string shown;
    for (int i = 0; i < 8; ++i) shown += (XGetPixel(image, 10 * i + 5, 0) & 0xffffff) == 0xff0000 ? 'R' : '.';
    XDestroyImage(image);
    EXPECT_EQ(shown, ".....R..");
}

TEST_F(GlutWindowTest, FullScreenIsQueuedUntilTheNextDisplayAndUndone) {
    usePrivateServer();
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
    EXPECT_EQ(size() + " " + std::to_string(ofGetWindowWidth()), "1280 1024 1280");
    window.toggleFullscreen();
    EXPECT_EQ(window.getWindowMode(), OF_WINDOW);
    ofAppGlutWindow::display();
    GLTestWindow::pump(50);
    EXPECT_EQ(size(), "320 240");
}
