#include "ofEvents.h"

#include <cstdlib>

#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofGraphics.h"
#include "ofLog.h"

namespace {

bool escapeQuitsApp = true;

// Each notify function hands its listeners a record of its own.
ofEventArgs voidArgs;
ofKeyEventArgs keyPressedArgs;
ofKeyEventArgs keyReleasedArgs;
ofMouseEventArgs mouseMovedArgs;
ofMouseEventArgs mouseDraggedArgs;
ofMouseEventArgs mousePressedArgs;
ofMouseEventArgs mouseReleasedArgs;
ofResizeEventArgs resizeArgs;
ofEntryEventArgs entryArgs;

void storeMouse(ofBaseApp* app, int x, int y) {
    app->mouseX = x;
    app->mouseY = y;
}

void fillMouse(ofMouseEventArgs& args, int x, int y, int button) {
    args.x = x;
    args.y = y;
    args.button = button;
}

}  // namespace

ofCoreEvents& ofEvents() {
    static ofCoreEvents* events = new ofCoreEvents;
    return *events;
}

void ofSetEscapeQuitsApp(bool quits) {
    escapeQuitsApp = quits;
}

void ofExitApp() {
    ofLog(OF_LOG_VERBOSE, "OF app is being terminated!");
    std::exit(0);
}

void ofNotifySetup() {
    if (ofBaseApp* app = ofGetAppPtr()) app->setup();
    ofNotifyEvent(ofEvents().setup, voidArgs);
}

void ofNotifyUpdate() {
    if (ofExitRequested()) ofExitApp();
    if (std::shared_ptr<ofBaseRenderer>& renderer = ofGetCurrentRenderer()) renderer->update();
    if (ofBaseApp* app = ofGetAppPtr()) app->update();
    ofNotifyEvent(ofEvents().update, voidArgs);
}

void ofNotifyDraw() {
    if (ofBaseApp* app = ofGetAppPtr()) app->draw();
    ofNotifyEvent(ofEvents().draw, voidArgs);
}

void ofNotifyExit() {
    if (ofBaseApp* app = ofGetAppPtr()) app->exit();
    ofNotifyEvent(ofEvents().exit, voidArgs);
}

void ofNotifyKeyPressed(int key) {
    if (ofBaseApp* app = ofGetAppPtr()) app->keyPressed(key);
    keyPressedArgs.key = key;
    ofNotifyEvent(ofEvents().keyPressed, keyPressedArgs);
    if (key == 27 && escapeQuitsApp) ofExitApp();
}

void ofNotifyKeyReleased(int key) {
    if (ofBaseApp* app = ofGetAppPtr()) app->keyReleased(key);
    keyReleasedArgs.key = key;
    ofNotifyEvent(ofEvents().keyReleased, keyReleasedArgs);
}

void ofNotifyMouseMoved(int x, int y) {
    if (ofBaseApp* app = ofGetAppPtr()) {
        app->mouseMoved(x, y);
        storeMouse(app, x, y);
    }
    mouseMovedArgs.x = x;
    mouseMovedArgs.y = y;
    ofNotifyEvent(ofEvents().mouseMoved, mouseMovedArgs);
}

void ofNotifyMouseDragged(int x, int y, int button) {
    if (ofBaseApp* app = ofGetAppPtr()) {
        app->mouseDragged(x, y, button);
        storeMouse(app, x, y);
    }
    fillMouse(mouseDraggedArgs, x, y, button);
    ofNotifyEvent(ofEvents().mouseDragged, mouseDraggedArgs);
}

void ofNotifyMousePressed(int x, int y, int button) {
    if (ofBaseApp* app = ofGetAppPtr()) {
        app->mousePressed(x, y, button);
        storeMouse(app, x, y);
    }
    fillMouse(mousePressedArgs, x, y, button);
    ofNotifyEvent(ofEvents().mousePressed, mousePressedArgs);
}

void ofNotifyMouseReleased(int x, int y, int button) {
    if (ofBaseApp* app = ofGetAppPtr()) {
        app->mouseReleased(x, y, button);
        app->mouseReleased();
        storeMouse(app, x, y);
    }
    fillMouse(mouseReleasedArgs, x, y, button);
    ofNotifyEvent(ofEvents().mouseReleased, mouseReleasedArgs);
}

void ofNotifyWindowResized(int width, int height) {
    if (ofBaseApp* app = ofGetAppPtr()) app->windowResized(width, height);
    resizeArgs.width = width;
    resizeArgs.height = height;
    ofNotifyEvent(ofEvents().windowResized, resizeArgs);
}

void ofNotifyWindowEntry(int state) {
    if (ofBaseApp* app = ofGetAppPtr()) app->windowEntry(state);
    entryArgs.state = state;
    ofNotifyEvent(ofEvents().windowEntered, entryArgs);
}
