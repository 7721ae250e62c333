#pragma once

#include <cstdint>

#include "ofEvents.h"

class ofBaseSoundInput {
public:
    virtual ~ofBaseSoundInput() {}
    virtual void audioIn(float* input, int bufferSize, int nChannels) { audioReceived(input, bufferSize, nChannels); }
    virtual void audioIn(float* input, int bufferSize, int nChannels, int /*deviceID*/, uint64_t /*tickCount*/) {
        audioIn(input, bufferSize, nChannels);
    }
    virtual void audioReceived(float* /*input*/, int /*bufferSize*/, int /*nChannels*/) {}
};

class ofBaseSoundOutput {
public:
    virtual ~ofBaseSoundOutput() {}
    virtual void audioOut(float* output, int bufferSize, int nChannels) { audioRequested(output, bufferSize, nChannels); }
    virtual void audioOut(float* output, int bufferSize, int nChannels, int /*deviceID*/, uint64_t /*tickCount*/) {
        audioOut(output, bufferSize, nChannels);
    }
    virtual void audioRequested(float* /*output*/, int /*bufferSize*/, int /*nChannels*/) {}
};

class ofBaseApp : public ofBaseSoundInput, public ofBaseSoundOutput {
public:
    ofBaseApp() : mouseX(0), mouseY(0) {}
    virtual ~ofBaseApp() {}

    virtual void setup() {}
    virtual void update() {}
    virtual void draw() {}
    virtual void exit() {}

    virtual void windowResized(int /*w*/, int /*h*/) {}

    virtual void keyPressed(int /*key*/) {}
    virtual void keyReleased(int /*key*/) {}

    virtual void mouseMoved(int /*x*/, int /*y*/) {}
    virtual void mouseDragged(int /*x*/, int /*y*/, int /*button*/) {}
    virtual void mousePressed(int /*x*/, int /*y*/, int /*button*/) {}
    virtual void mouseReleased(int /*x*/, int /*y*/, int /*button*/) {}
    virtual void mouseReleased() {}

    virtual void dragEvent(ofDragInfo /*dragInfo*/) {}
    virtual void gotMessage(ofMessage /*msg*/) {}

    virtual void windowEntry(int /*state*/) {}

    int mouseX, mouseY;
};
