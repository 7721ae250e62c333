#pragma once

#include <string>

#include "ofAppBaseWindow.h"

class ofFramePacer;

// The one window of the process, opened through GLUT. GLUT calls plain
// functions, so apart from the display string all window state is module-wide.
class ofAppGlutWindow : public ofAppBaseWindow {
public:
    ofAppGlutWindow();
    ~ofAppGlutWindow() override;

    void setupOpenGL(int w, int h, int screenMode) override;
    void initializeWindow() override;
    void runAppViaInfiniteLoop(ofBaseApp* appPtr) override;

    void hideCursor() override;
    void showCursor() override;

    void setWindowPosition(int x, int y) override;
    void setWindowShape(int w, int h) override;

    int getFrameNum() override;
    float getFrameRate() override;
    double getLastFrameTime() override;

    ofPoint getWindowPosition() override;
    ofPoint getWindowSize() override;
    ofPoint getScreenSize() override;

    void setOrientation(int orientation) override;
    int getOrientation() override;

    int getWidth() override;
    int getHeight() override;

    void setFrameRate(float targetRate) override;
    void setWindowTitle(std::string title) override;

    int getWindowMode() override;

    void setFullscreen(bool fullscreen) override;
    void toggleFullscreen() override;

    void enableSetupScreen() override;
    void disableSetupScreen() override;

    // GLUT callbacks.
    static void display();
    static void mouseButton(int button, int state, int x, int y);
    static void mouseMotion(int x, int y);
    static void passiveMotion(int x, int y);
    static void idle();
    static void keyDown(unsigned char key, int x, int y);
    static void keyUp(unsigned char key, int x, int y);
    static void specialKeyDown(int key, int x, int y);
    static void specialKeyUp(int key, int x, int y);
    static void reshape(int w, int h);
    static void entry(int state);
    static void close();

    static void rotateMouse(int orientation, int& x, int& y);

    // The module-wide pacer, exposed so its clock can be observed.
    static ofFramePacer& pacer();

    // Hands the main loop's application to the window without entering the
    // loop; runAppViaInfiniteLoop does this first.
    static void setLoopApp(ofBaseApp* appPtr);
    // Picks up a finished file drop, if any, and gives it to the loop's
    // application. Called once per frame from idle.
    static void pollDrops();

private:
    // A GLUT display string; when not empty it replaces the display mode.
    std::string displayString;
};
