#include <gtest/gtest.h>

#include "GLTestWindow.h"  // before the other GL headers

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "PrivateGlutServer.h"
#include "WindowLookup.h"
#include "XdndSource.h"  // reads the drop-awareness
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofFramePacer.h"
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

TEST_F(GlutWindowTest, FrameRateAndPacingGoThroughThePacerAndTheFirstIdleNeverSleeps) {
    GLTestWindow::open(200, 200);
    ofAppGlutWindow fresh;  // a new window object starts the frame count and the pacer again
    ofFramePacer& pacer = ofAppGlutWindow::pacer();
    EXPECT_FALSE(pacer.pacingOn);
    EXPECT_FLOAT_EQ(ofGetFrameRate(), 60.0f);  // seeds the smoothed rate only
    ofSetFrameRate(35);
    EXPECT_TRUE(pacer.pacingOn && pacer.frameBudgetMillis == 28);
    EXPECT_FLOAT_EQ(ofGetFrameRate(), 35.0f);
    ofSetFrameRate(0);
    EXPECT_FALSE(pacer.pacingOn);
    EXPECT_FLOAT_EQ(ofGetFrameRate(), 35.0f);

    ofSetFrameRate(1);
    uint64_t nowMillis = 5000;
    std::vector<int> sleeps;
    pacer.millis = [&] { return nowMillis; };
    pacer.seconds = [&] { return nowMillis / 1000.0f; };
    pacer.sleep = [&](int ms) { sleeps.push_back(ms); };
    ASSERT_EQ(ofGetFrameNum(), 0);
    ofAppGlutWindow::idle();
    ofAppGlutWindow::display();
    EXPECT_EQ(ofGetFrameNum(), 1);
    nowMillis += 10;
    ofAppGlutWindow::idle();
    EXPECT_EQ(sleeps, (std::vector<int>{990}));
    // Measured between idles and smoothed: 1 Hz, then 5 s (0.92), then 10 ms (10.828).
    EXPECT_NEAR(ofGetFrameRate(), 10.828, 0.001);
}

// A quarter turn swaps the sizes; the mouse reaches the application turned
// with the window (here 300 by 200).
TEST_F(GlutWindowTest, MousePositionsTurnWithTheOrientation) {
    ofAppGlutWindow& window = GLTestWindow::open(320, 240);
    ofSetAppPtr(std::make_shared<RecordingApp>());
    ofAppGlutWindow::display();
    ofAppGlutWindow::reshape(300, 200);
    seen.clear();
    const struct {
        int orientation;
        const char* size;
        const char* moved;
    } turns[] = {
        {OF_ORIENTATION_DEFAULT, "300 200", "moved 10 20"},
        {OF_ORIENTATION_180, "300 200", "moved 290 180"},
        {OF_ORIENTATION_90_LEFT, "200 300", "moved 20 290"},
        {OF_ORIENTATION_90_RIGHT, "200 300", "moved 180 10"},
    };
    for (const auto& t : turns) {
        window.setOrientation(t.orientation);
        ofAppGlutWindow::passiveMotion(10, 20);
        EXPECT_EQ(ofGetOrientation(), t.orientation);
        EXPECT_EQ(xy(ofGetWidth(), ofGetHeight()), t.size) << t.orientation;
        EXPECT_EQ(seen.empty() ? "" : seen.back(), t.moved) << t.orientation;
    }
    window.setOrientation(OF_ORIENTATION_DEFAULT);
    EXPECT_EQ(xy(ofGetWindowWidth(), ofGetWindowHeight()), "300 200");
}

TEST_F(GlutWindowTest, WithoutAutomaticClearFramesAddUpAfterTheFirstThreeAndAgainAfterAReshape) {
    GLTestWindow::open(320, 240);
    auto app = std::make_shared<RecordingApp>();
    ofSetAppPtr(app);
    ofSetBackgroundAuto(false);
    ofBackground(0, 0, 255, 255);
    GLTestWindow::pump();   // let the map and its reshape arrive first
    ofAppGlutWindow fresh;  // a new window object starts the frame count again
    ofSetWindowShape(320, 240);
    ASSERT_EQ(ofGetFrameNum(), 0);
    app->drawn = 0;  // an expose during the pump may already have drawn a frame
    for (int i = 0; i < 6; ++i) ofAppGlutWindow::display();
    auto front = [] {
        std::string shown;
        for (int i = 0; i < 12; ++i) {
            const ofColor c = GLTestWindow::pixel(10 * i + 5, 5, GL_FRONT);
            shown += c == ofColor(255, 0, 0) ? 'R' : c == ofColor(0, 0, 255) ? 'b' : '?';
        }
        return shown;
    };
    // Frames 0 to 2 are cleared away again; 3 to 5 stay on the front buffer.
    EXPECT_EQ(front(), "bbbRRRbbbbbb");
    EXPECT_EQ(GLTestWindow::pixel(100, 100, GL_FRONT), ofColor(0, 0, 255, 255));
    // After a reshape the next three frames clear the whole window away; the fourth stays.
    ofAppGlutWindow::reshape(320, 240);
    for (int i = 0; i < 4; ++i) ofAppGlutWindow::display();
    EXPECT_EQ(front(), "bbbbbbbbbRbb");
}

TEST_F(GlutWindowTest, UnavailableGameModeLogsAndFallsBackToAFullScreenWindowThatCanBeLeft) {
    usePrivateServer();  // other tests' windows would expose this one, and an expose displays
    static ofAppGlutWindow window;
    const std::string err = captureOutput([] { ofSetupOpenGL(&window, 333, 222, OF_GAME_MODE); }).err;
    window.initializeWindow();
    ASSERT_EQ(err, "[error] game mode error: selected format (333x222:32@60) not available \n\n");
    EXPECT_EQ(window.getWindowMode(), OF_FULLSCREEN);
    EXPECT_EQ(vxRecordedWindow(), static_cast<unsigned long>(glXGetCurrentDrawable()));
    auto size = [] { return xy(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)); };
    ofAppGlutWindow::display();
    GLTestWindow::pump(50);
    EXPECT_EQ(size(), "1280 1024");
    window.setFullscreen(false);  // a game mode would ignore it; the window leaves full screen
    EXPECT_EQ(window.getWindowMode(), OF_WINDOW);
    window.setFullscreen(false);
    ofAppGlutWindow::display();
    GLTestWindow::pump(50);
    EXPECT_EQ(size(), "333 222");
}
