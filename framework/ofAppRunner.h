#pragma once

#include <memory>
#include <string>

#include "ofRectangle.h"

class ofBaseApp;
class ofAppBaseWindow;

// Opens the OpenGL window and makes a new OpenGL renderer current. The window
// stays the caller's: the runner never deletes it.
void ofSetupOpenGL(ofAppBaseWindow* window, int w, int h, int screenMode);
// Takes ownership of the application and runs the main loop; never returns.
void ofRunApp(ofBaseApp* app);
// Registered with the C runtime's exit list by ofRunApp.
void ofExitCallback();
// True once the exit callback has begun: the process is inside exit.
bool ofExitStarted();
// A termination signal arrived since ofRunApp; the next frame ends the app.
bool ofExitRequested();

ofBaseApp* ofGetAppPtr();
// Makes the application current; the runner owns it from then on.
void ofSetAppPtr(std::shared_ptr<ofBaseApp> app);
ofAppBaseWindow* ofGetWindowPtr();

void ofSleepMillis(int millis);

// Forwarders to the current window; before ofSetupOpenGL they answer what
// the window interface answers by default.
int ofGetFrameNum();
float ofGetFrameRate();
void ofSetFrameRate(int targetRate);
void ofHideCursor();
void ofShowCursor();
int ofGetOrientation();
bool ofDoesHWOrientation();
void ofSetWindowShape(int width, int height);
int ofGetWidth();
int ofGetHeight();
int ofGetWindowWidth();
int ofGetWindowHeight();
int ofGetScreenWidth();
int ofGetScreenHeight();
ofRectangle ofGetWindowRect();
void ofSetWindowTitle(std::string title);
void ofSetFullscreen(bool fullscreen);
