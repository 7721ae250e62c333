#pragma once

#include <string>

#include "ofGraphicsConstants.h"
#include "ofPoint.h"

class ofBaseApp;

enum ofWindowMode { OF_WINDOW = 0, OF_FULLSCREEN = 1, OF_GAME_MODE = 2 };

// The window interface. Every default does nothing and answers zero, so a
// caller with no real window gets harmless values.
class ofAppBaseWindow {
public:
    ofAppBaseWindow() {}
    virtual ~ofAppBaseWindow() {}

    virtual void setupOpenGL(int /*w*/, int /*h*/, int /*screenMode*/) {}
    virtual void initializeWindow() {}
    virtual void runAppViaInfiniteLoop(ofBaseApp* /*appPtr*/) {}

    virtual void hideCursor() {}
    virtual void showCursor() {}

    virtual void setWindowPosition(int /*x*/, int /*y*/) {}
    virtual void setWindowShape(int /*w*/, int /*h*/) {}

    virtual int getFrameNum() { return 0; }
    virtual float getFrameRate() { return 0; }
    virtual double getLastFrameTime() { return 0.0; }

    virtual ofPoint getWindowPosition() { return ofPoint(); }
    virtual ofPoint getWindowSize() { return ofPoint(); }
    virtual ofPoint getScreenSize() { return ofPoint(); }

    virtual void setOrientation(int /*orientation*/) {}
    virtual int getOrientation() { return OF_ORIENTATION_DEFAULT; }
    virtual bool doesHWOrientation() { return false; }

    virtual int getWidth() { return 0; }
    virtual int getHeight() { return 0; }

    virtual void setFrameRate(float /*targetRate*/) {}
    virtual void setWindowTitle(std::string /*title*/) {}

    virtual int getWindowMode() { return 0; }

    virtual void setFullscreen(bool /*fullscreen*/) {}
    virtual void toggleFullscreen() {}

    virtual void enableSetupScreen() {}
    virtual void disableSetupScreen() {}
};
