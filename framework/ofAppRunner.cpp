#include "ofAppRunner.h"

#include <GL/glew.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "ofAppBaseWindow.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofFreeImage.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"
#include "ofSoundPlayer.h"
#include "ofTestClock.h"
#include "ofUtils.h"

namespace {
// Static teardown releases these in reverse order: the window pointer (which
// deletes nothing) first, then the application, after the exit callback.
std::shared_ptr<ofBaseApp> currentApp;
std::shared_ptr<ofAppBaseWindow> currentWindow;
bool exitStarted = false;

void keepWindow(ofAppBaseWindow*) {}

// A termination request (SIGTERM, or SIGINT from the terminal) ends the app
// the way its own quit does, from the next frame; a second one ends it at
// once. Installed before anything else can claim the signals: the sound
// library would otherwise turn them into quit events no one reads.
std::atomic<bool> exitRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void requestExit(int sig) {
    if (exitRequested.exchange(true)) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }
}

void catchTermination(int sig) {
    struct sigaction old {};
    // One the launching shell ignores (a background job's SIGINT) stays ignored.
    if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) return;
    struct sigaction request {};
    request.sa_handler = requestExit;
    sigemptyset(&request.sa_mask);
    sigaction(sig, &request, nullptr);
}

// What the forwarders talk to before a window exists.
ofAppBaseWindow& window() {
    static ofAppBaseWindow* noWindow = new ofAppBaseWindow;
    return currentWindow ? *currentWindow : *noWindow;
}
}  // namespace

void ofSetupOpenGL(ofAppBaseWindow* windowPtr, int w, int h, int screenMode) {
    currentWindow = std::shared_ptr<ofAppBaseWindow>(windowPtr, keepWindow);
    window().setupOpenGL(w, h, screenMode);

    glewExperimental = GL_TRUE;
    GLenum err = glewInit();
    if (err != GLEW_OK) ofLog(OF_LOG_ERROR, "Error: %s\n", glewGetErrorString(err));

    ofSetCurrentRenderer(std::shared_ptr<ofBaseRenderer>(new ofGLRenderer));
}

void ofRunApp(ofBaseApp* app) {
    catchTermination(SIGTERM);
    catchTermination(SIGINT);
    currentApp = std::shared_ptr<ofBaseApp>(app);
    if (app) {
        app->mouseX = 0;
        app->mouseY = 0;
    }
    std::atexit(ofExitCallback);
    window().initializeWindow();
    ofSeedRandom();
    ofResetElapsedTimeCounter();
    window().runAppViaInfiniteLoop(app);
}

void ofExitCallback() {
    exitStarted = true;
    ofNotifyExit();
    ofSoundShutdown();
    ofCloseFreeImage();
}

bool ofExitStarted() {
    return exitStarted;
}

bool ofExitRequested() {
    return exitRequested.load();
}

ofBaseApp* ofGetAppPtr() {
    return currentApp.get();
}

void ofSetAppPtr(std::shared_ptr<ofBaseApp> app) {
    currentApp = std::move(app);
}

ofAppBaseWindow* ofGetWindowPtr() {
    return currentWindow.get();
}

void ofSleepMillis(int millis) {
    if (millis > 0) std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}

int ofGetFrameNum() {
    int fixed = 0;
    if (ofFixedFrameNum(fixed)) return fixed;
    return window().getFrameNum();
}

float ofGetFrameRate() {
    return window().getFrameRate();
}

void ofSetFrameRate(int targetRate) {
    window().setFrameRate(static_cast<float>(targetRate));
}

void ofHideCursor() {
    window().hideCursor();
}

void ofShowCursor() {
    window().showCursor();
}

int ofGetOrientation() {
    return window().getOrientation();
}

bool ofDoesHWOrientation() {
    return window().doesHWOrientation();
}

void ofSetWindowShape(int width, int height) {
    window().setWindowShape(width, height);
}

int ofGetWidth() {
    return window().getWidth();
}

int ofGetHeight() {
    return window().getHeight();
}

int ofGetWindowWidth() {
    return static_cast<int>(window().getWindowSize().x);
}

int ofGetWindowHeight() {
    return static_cast<int>(window().getWindowSize().y);
}

int ofGetScreenWidth() {
    return static_cast<int>(window().getScreenSize().x);
}

int ofGetScreenHeight() {
    return static_cast<int>(window().getScreenSize().y);
}

ofRectangle ofGetWindowRect() {
    ofPoint size = window().getWindowSize();
    return ofRectangle(0, 0, static_cast<float>(static_cast<int>(size.x)), static_cast<float>(static_cast<int>(size.y)));
}

void ofSetWindowTitle(std::string title) {
    window().setWindowTitle(title);
}

void ofSetFullscreen(bool fullscreen) {
    window().setFullscreen(fullscreen);
}
