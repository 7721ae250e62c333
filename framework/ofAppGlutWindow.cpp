#include "ofAppGlutWindow.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "WindowLookup.h"
#include "XdndDropTarget.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofFramePacer.h"
#include "ofGraphics.h"
#include "ofLog.h"

namespace {

int screenMode = OF_WINDOW;
bool screenModeChanged = true;
bool setupScreenEachFrame = true;
bool doubleBuffered = true;
int frameCount = 0;
int framesSinceResize = 0;
int lastButton = 0;
int windowWidth = 0;
int windowHeight = 0;
int requestedWidth = 0;
int requestedHeight = 0;
int savedWindowX = -1;
int savedWindowY = -1;
int orientation = OF_ORIENTATION_DEFAULT;
ofBaseApp* loopApp = nullptr;
bool glutStarted = false;
// Set once the process has begun to exit; freeglut then closes its windows
// from its own exit handler, and the close callback must not exit again.
bool processExiting = false;

// Reached from the exit path too, so they are never destroyed.
ofFramePacer* framePacer = new ofFramePacer;
XdndDropTarget* dropTarget = new XdndDropTarget;

const unsigned int displayModeDouble = GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_RGBA;  // 0x1A
const unsigned int displayModeSingle = GLUT_SINGLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_RGBA;  // 0x18

// freeglut on X11 reports the modifier keys as special keys and the wheel as
// buttons; the game was written for a GLUT that delivered neither.
bool isModifierKey(int key) {
    return key >= GLUT_KEY_SHIFT_L && key <= GLUT_KEY_ALT_R;
}

bool isWheelButton(int button) {
    return button >= 3 && button <= 6;
}

void applyDisplayMode(const std::string& displayString, unsigned int mode) {
    if (!displayString.empty())
        glutInitDisplayString(displayString.c_str());
    else
        glutInitDisplayMode(mode);
}

void noteProcessExit() {
    processExiting = true;
}

// freeglut's own handling of a fatal error tears the windows down before it
// calls exit(1); the close callback would end the process first, with 0.
void fatalGlutError(const char* format, va_list args) {
    std::fprintf(stderr, "freeglut (vantorix): ");
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    std::exit(1);
}

}  // namespace

ofAppGlutWindow::ofAppGlutWindow() {
    screenMode = OF_WINDOW;
    screenModeChanged = true;
    setupScreenEachFrame = true;
    doubleBuffered = true;
    frameCount = 0;
    framesSinceResize = 0;
    lastButton = 0;
    requestedWidth = 0;
    requestedHeight = 0;
    savedWindowX = -1;
    savedWindowY = -1;
    orientation = OF_ORIENTATION_DEFAULT;
    loopApp = nullptr;
    *framePacer = ofFramePacer();
}

ofAppGlutWindow::~ofAppGlutWindow() {}

void ofAppGlutWindow::setupOpenGL(int w, int h, int mode) {
    // GLUT refuses to be initialised twice in one process.
    if (!glutStarted) {
        static char programName[] = "vantorix";
        static char* argv[] = {programName, nullptr};
        int argc = 1;
        glutInitErrorFunc(fatalGlutError);
        glutInit(&argc, argv);
        glutStarted = true;
        // glutInit registers freeglut's teardown with the exit list; this
        // handler, registered after it, runs before it.
        std::atexit(noteProcessExit);
    }
    applyDisplayMode(displayString, doubleBuffered ? displayModeDouble : displayModeSingle);

    screenMode = mode;
    screenModeChanged = true;

    bool windowed = mode != OF_GAME_MODE;
    if (!windowed) {
        applyDisplayMode(displayString, displayModeDouble);
        char gameMode[64];
        std::snprintf(gameMode, sizeof(gameMode), "%dx%d:%d@%d", w, h, 32, 60);
        glutGameModeString(gameMode);
        if (!glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
            ofLog(OF_LOG_ERROR, "game mode error: selected format (%s) not available \n", gameMode);
            // Running with no window helps nobody: use a full-screen window.
            windowed = true;
            screenMode = OF_FULLSCREEN;
        } else {
            glutEnterGameMode();
        }
    }
    if (windowed) {
        glutInitWindowSize(w, h);
        glutCreateWindow("");
        requestedWidth = glutGet(GLUT_WINDOW_WIDTH);
        requestedHeight = glutGet(GLUT_WINDOW_HEIGHT);
    }

    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowHeight = glutGet(GLUT_WINDOW_HEIGHT);

    vxRecordWindow(static_cast<unsigned long>(glXGetCurrentDrawable()));
    vxRecordWindowTitle("");
}

void ofAppGlutWindow::initializeWindow() {
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMotion);
    glutPassiveMotionFunc(passiveMotion);
    glutIdleFunc(idle);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyDown);
    glutKeyboardUpFunc(keyUp);
    glutSpecialFunc(specialKeyDown);
    glutSpecialUpFunc(specialKeyUp);
    glutReshapeFunc(reshape);
    glutEntryFunc(entry);

    framesSinceResize = 0;

    // Closing the window ends the process through exit, so the exit callback runs.
    glutCloseFunc(close);
    if (!dropTarget->attach(vxRecordedWindow()))
        ofLogWarning() << "file drops are not available: cannot open the X display";
}

void ofAppGlutWindow::runAppViaInfiniteLoop(ofBaseApp* appPtr) {
    setLoopApp(appPtr);
    ofNotifySetup();
    ofNotifyUpdate();
    glutMainLoop();
}

void ofAppGlutWindow::setLoopApp(ofBaseApp* appPtr) {
    loopApp = appPtr;
}

void ofAppGlutWindow::hideCursor() {
    glutSetCursor(GLUT_CURSOR_NONE);
}

void ofAppGlutWindow::showCursor() {
    glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
}

void ofAppGlutWindow::setWindowPosition(int x, int y) {
    glutPositionWindow(x, y);
}

void ofAppGlutWindow::setWindowShape(int w, int h) {
    glutReshapeWindow(w, h);
    requestedWidth = w;
    requestedHeight = h;
}

int ofAppGlutWindow::getFrameNum() {
    return frameCount;
}

float ofAppGlutWindow::getFrameRate() {
    return framePacer->smoothedFrameRate;
}

double ofAppGlutWindow::getLastFrameTime() {
    return framePacer->lastFrameSeconds;
}

ofPoint ofAppGlutWindow::getWindowPosition() {
    return ofPoint(glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y), 0);
}

ofPoint ofAppGlutWindow::getWindowSize() {
    return ofPoint(windowWidth, windowHeight, 0);
}

ofPoint ofAppGlutWindow::getScreenSize() {
    return ofPoint(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT), 0);
}

void ofAppGlutWindow::setOrientation(int o) {
    orientation = o;
}

int ofAppGlutWindow::getOrientation() {
    return orientation;
}

int ofAppGlutWindow::getWidth() {
    if (orientation == OF_ORIENTATION_DEFAULT || orientation == OF_ORIENTATION_180) return windowWidth;
    return windowHeight;
}

int ofAppGlutWindow::getHeight() {
    if (orientation == OF_ORIENTATION_DEFAULT || orientation == OF_ORIENTATION_180) return windowHeight;
    return windowWidth;
}

void ofAppGlutWindow::setFrameRate(float targetRate) {
    framePacer->setFrameRate(targetRate);
}

void ofAppGlutWindow::setWindowTitle(std::string title) {
    glutSetWindowTitle(title.c_str());
    vxRecordWindowTitle(title);
}

int ofAppGlutWindow::getWindowMode() {
    return screenMode;
}

void ofAppGlutWindow::setFullscreen(bool fullscreen) {
    if (screenMode == OF_GAME_MODE) return;
    if (fullscreen && screenMode != OF_FULLSCREEN) {
        screenMode = OF_FULLSCREEN;
        screenModeChanged = true;
    } else if (!fullscreen && screenMode != OF_WINDOW) {
        screenMode = OF_WINDOW;
        screenModeChanged = true;
    }
}

void ofAppGlutWindow::toggleFullscreen() {
    if (screenMode == OF_GAME_MODE) return;
    if (screenMode == OF_WINDOW)
        screenMode = OF_FULLSCREEN;
    else if (screenMode == OF_FULLSCREEN)
        screenMode = OF_WINDOW;
    screenModeChanged = true;
}

void ofAppGlutWindow::enableSetupScreen() {
    setupScreenEachFrame = true;
}

void ofAppGlutWindow::disableSetupScreen() {
    setupScreenEachFrame = false;
}

ofFramePacer& ofAppGlutWindow::pacer() {
    return *framePacer;
}

void ofAppGlutWindow::display() {
    if (screenMode != OF_GAME_MODE && screenModeChanged) {
        if (screenMode == OF_FULLSCREEN) {
            savedWindowX = glutGet(GLUT_WINDOW_X);
            savedWindowY = glutGet(GLUT_WINDOW_Y);
            glutFullScreen();
        } else if (screenMode == OF_WINDOW) {
            glutReshapeWindow(requestedWidth, requestedHeight);
            if (frameCount > 0) glutPositionWindow(savedWindowX, savedWindowY);
        }
        screenModeChanged = false;
    }

    ofViewport(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), true);

    const ofFloatColor bg = *ofBgColorPtr();
    bool clearAuto = ofbClearBg();

    // Without automatic clearing each frame draws over the previous one.
    if (!clearAuto) glDrawBuffer(GL_FRONT);

    if (clearAuto || frameCount < 3) ofClear(bg.r * 255, bg.g * 255, bg.b * 255, bg.a * 255);

    if (setupScreenEachFrame) ofSetupScreen();

    ofNotifyDraw();
    ofFlushDraws();

    if (clearAuto) {
        if (doubleBuffered)
            glutSwapBuffers();
        else
            glFlush();
    } else {
        if (framesSinceResize < 3) {
            ofClear(bg.r * 255, bg.g * 255, bg.b * 255, bg.a * 255);
        } else if (frameCount < 3 && doubleBuffered) {
            glutSwapBuffers();
        } else {
            glFlush();
        }
    }

    ++framesSinceResize;
    ++frameCount;
}

void ofAppGlutWindow::idle() {
    pollDrops();
    framePacer->tick(frameCount);
    ofNotifyUpdate();
    glutPostRedisplay();
}

void ofAppGlutWindow::pollDrops() {
    XdndDropTarget::Drop drop;
    if (!dropTarget->poll(drop)) return;
    if (!loopApp) {
        ofLogWarning() << "dropped files ignored: no application to receive them";
        return;
    }
    ofDragInfo info;
    info.files = drop.files;
    info.position.set(static_cast<float>(drop.x), static_cast<float>(drop.y), 0);
    loopApp->dragEvent(info);
}

void ofAppGlutWindow::mouseButton(int button, int state, int x, int y) {
    if (isWheelButton(button)) return;
    rotateMouse(orientation, x, y);
    if (frameCount > 0) {
        if (state == GLUT_DOWN)
            ofNotifyMousePressed(x, y, button);
        else if (state == GLUT_UP)
            ofNotifyMouseReleased(x, y, button);
        lastButton = button;
    }
}

void ofAppGlutWindow::mouseMotion(int x, int y) {
    rotateMouse(orientation, x, y);
    if (frameCount > 0) ofNotifyMouseDragged(x, y, lastButton);
}

void ofAppGlutWindow::passiveMotion(int x, int y) {
    rotateMouse(orientation, x, y);
    if (frameCount > 0) ofNotifyMouseMoved(x, y);
}

void ofAppGlutWindow::keyDown(unsigned char key, int, int) {
    ofNotifyKeyPressed(key);
}

void ofAppGlutWindow::keyUp(unsigned char key, int, int) {
    ofNotifyKeyReleased(key);
}

void ofAppGlutWindow::specialKeyDown(int key, int, int) {
    if (isModifierKey(key)) return;
    ofNotifyKeyPressed(key | 0x100);
}

void ofAppGlutWindow::specialKeyUp(int key, int, int) {
    if (isModifierKey(key)) return;
    ofNotifyKeyReleased(key | 0x100);
}

void ofAppGlutWindow::reshape(int w, int h) {
    windowWidth = w;
    windowHeight = h;
    ofNotifyWindowResized(w, h);
    framesSinceResize = 0;
}

void ofAppGlutWindow::entry(int state) {
    ofNotifyWindowEntry(state);
}

void ofAppGlutWindow::close() {
    // Calling exit while exit runs is undefined and would replace the status.
    if (processExiting || ofExitStarted()) return;
    std::exit(0);
}

void ofAppGlutWindow::rotateMouse(int o, int& x, int& y) {
    int w = ofGetWidth();
    int h = ofGetHeight();
    int rx = x, ry = y;
    switch (o) {
        case OF_ORIENTATION_180:
            rx = w - x;
            ry = h - y;
            break;
        case OF_ORIENTATION_90_LEFT:
            rx = y;
            ry = h - x;
            break;
        case OF_ORIENTATION_90_RIGHT:
            rx = w - y;
            ry = x;
            break;
        default:
            break;
    }
    x = rx;
    y = ry;
}
