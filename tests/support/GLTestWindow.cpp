#include "GLTestWindow.h"

#include <GL/freeglut.h>

#include <chrono>
#include <thread>

#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"

namespace GLTestWindow {

ofAppGlutWindow& open(int width, int height) {
    static ofAppGlutWindow* window = new ofAppGlutWindow;
    ofSetupOpenGL(window, width, height, OF_WINDOW);
    window->initializeWindow();
    pump(20);
    return *window;
}

void pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

ofColor pixel(int x, int y, GLenum buffer) {
    glFinish();
    int windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return ofColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

}  // namespace GLTestWindow
