#pragma once

#include <string>
#include <vector>

#include "ofEvent.h"
#include "ofPoint.h"

class ofEventArgs {};

class ofEntryEventArgs : public ofEventArgs {
public:
    int state = 0;
};

class ofKeyEventArgs : public ofEventArgs {
public:
    int key = 0;
};

class ofMouseEventArgs : public ofEventArgs {
public:
    int x = 0;
    int y = 0;
    int button = 0;
};

class ofResizeEventArgs : public ofEventArgs {
public:
    int width = 0;
    int height = 0;
};

class ofAudioEventArgs : public ofEventArgs {
public:
    float* buffer = nullptr;
    int bufferSize = 0;
    int nChannels = 0;
};

class ofTouchEventArgs : public ofEventArgs {
public:
    int id = 0;
    float x = 0;
    float y = 0;
};

class ofDragInfo {
public:
    std::vector<std::string> files;
    ofPoint position;
};

class ofMessage : public ofEventArgs {
public:
    explicit ofMessage(const std::string& msg = std::string()) : message(msg) {}
    std::string message;
};

class ofCoreEvents {
public:
    ofEvent<ofEventArgs> setup;
    ofEvent<ofEventArgs> update;
    ofEvent<ofEventArgs> draw;
    ofEvent<ofEventArgs> exit;

    ofEvent<ofEntryEventArgs> windowEntered;
    ofEvent<ofResizeEventArgs> windowResized;

    ofEvent<ofKeyEventArgs> keyPressed;
    ofEvent<ofKeyEventArgs> keyReleased;

    ofEvent<ofMouseEventArgs> mouseMoved;
    ofEvent<ofMouseEventArgs> mouseDragged;
    ofEvent<ofMouseEventArgs> mousePressed;
    ofEvent<ofMouseEventArgs> mouseReleased;

    ofEvent<ofAudioEventArgs> audioReceivedEvent;
    ofEvent<ofAudioEventArgs> audioRequestedEvent;

    ofEvent<ofTouchEventArgs> touchDown;
    ofEvent<ofTouchEventArgs> touchUp;
    ofEvent<ofTouchEventArgs> touchMoved;
    ofEvent<ofTouchEventArgs> touchDoubleTap;
    ofEvent<ofTouchEventArgs> touchCancelled;

    ofEvent<ofMessage> messageEvent;
    ofEvent<ofDragInfo> fileDragEvent;
};

// The process-wide event set, created on first use and never destroyed.
ofCoreEvents& ofEvents();

void ofSetEscapeQuitsApp(bool quits);
void ofExitApp();

void ofNotifySetup();
void ofNotifyUpdate();
void ofNotifyDraw();
void ofNotifyExit();
void ofNotifyKeyPressed(int key);
void ofNotifyKeyReleased(int key);
void ofNotifyMouseMoved(int x, int y);
void ofNotifyMouseDragged(int x, int y, int button);
void ofNotifyMousePressed(int x, int y, int button);
void ofNotifyMouseReleased(int x, int y, int button);
void ofNotifyWindowResized(int width, int height);
void ofNotifyWindowEntry(int state);
