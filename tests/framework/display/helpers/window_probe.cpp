// A small application that reports on standard output everything the window
// delivers to it; the display tests drive it through the X server.
//
// Arguments choose how it ends (none: when the window is closed):
//   exit N            exit(N) once the window shows
//   exit N teardown   the same, and the application's exit tears the window down
//   return N          no main loop: open the window, then return N from main
//   glut-error        a fatal freeglut error once the window shows
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "WindowLookup.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofGraphics.h"

namespace {

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
std::string xyb(int x, int y, int b) { return xy(x, y) + " " + std::to_string(b); }

int exitStatus = -1;
bool teardownInExit = false, glutError = false;

class ProbeApp : public ofBaseApp {
public:
    ~ProbeApp() override { say("app.destroyed"); }
    void setup() override {
        ofSetFrameRate(60);
        ofAddListener(ofEvents().exit, this, &ProbeApp::onExit);
        ofAddListener(ofEvents().fileDragEvent, this, &ProbeApp::onDrag);
    }
    void draw() override {
        ofBackground(0, 0, 0, 255);
        if (ofGetFrameNum() != 2) return;
        say("ready " + std::to_string(vxRecordedWindow()));
        if (exitStatus >= 0) std::exit(exitStatus);
        if (glutError) {
            static char name[] = "again";
            static char* args[] = {name, nullptr};
            int count = 1;
            glutInit(&count, args);  // freeglut refuses a second start
        }
    }
    void exit() override {
        say("app.exit");
        if (teardownInExit) {
            // freeglut closes the window at its next event round.
            glutDestroyWindow(glutGetWindow());
            glutMainLoopEvent();
            say("window.destroyed");
        }
    }
    void onExit(ofEventArgs&) { say("event.exit"); }
    void onDrag(ofDragInfo&) { say("event.fileDrag"); }
    void keyPressed(int key) override { say("keyPressed " + std::to_string(key)); }
    void keyReleased(int key) override { say("keyReleased " + std::to_string(key)); }
    void mouseMoved(int x, int y) override { say("moved " + xy(x, y)); }
    void mouseDragged(int x, int y, int b) override { say("dragged " + xyb(x, y, b)); }
    void mousePressed(int x, int y, int b) override { say("pressed " + xyb(x, y, b)); }
    void mouseReleased(int x, int y, int b) override { say("released " + xyb(x, y, b)); }
    void windowResized(int w, int h) override { say("resized " + xy(w, h)); }
    void windowEntry(int state) override { say("entry " + std::to_string(state)); }
    void dragEvent(ofDragInfo info) override {
        std::string line = "drag " + std::to_string(info.files.size()) + " " + xy(info.position.x, info.position.y);
        for (const std::string& f : info.files) line += " [" + f + "]";
        say(line);
    }
};

}  // namespace

int main(int argc, char** argv) {
    glutError = argc >= 2 && std::strcmp(argv[1], "glut-error") == 0;
    if (argc >= 3) {
        exitStatus = std::atoi(argv[2]);
        teardownInExit = argc >= 4 && std::strcmp(argv[3], "teardown") == 0;
    }
    ofAppGlutWindow window;
    ofSetupOpenGL(&window, 320, 240, OF_WINDOW);
    if (argc >= 3 && std::strcmp(argv[1], "return") == 0) {
        window.initializeWindow();
        for (int i = 0; i < 10; ++i) glutMainLoopEvent();
        say("ready " + std::to_string(vxRecordedWindow()));
        return exitStatus;
    }
    ofRunApp(new ProbeApp);
}
