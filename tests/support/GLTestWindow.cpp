#include "GLTestWindow.h"

#include <GL/freeglut.h>

#include <chrono>
#include <thread>

#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

namespace GLTestWindow {

ofAppGlutWindow& open(int width, int height) {
    static ofAppGlutWindow* window = new ofAppGlutWindow;
    ofSetupOpenGL(window, width, height, OF_WINDOW);
    window->initializeWindow();
    pump(20);
    return *window;
}

ofAppGlutWindow& openScreen(int width, int height) {
    ofAppGlutWindow& window = open(width, height);
    ofViewport(0, 0, static_cast<float>(width), static_cast<float>(height), true);
    ofClear(0, 0, 0, 255);
    ofSetupScreen();
    return window;
}

void pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

ofColor pixel(int x, int y, GLenum buffer) {
    ofFlushDraws();
    glFinish();
    int windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return ofColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

std::string colours(int x, int y, int n, bool down) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        ofColor c = down ? pixel(x, y + i) : pixel(x + i, y);
        if (c.r == 128 && c.g == 128 && c.b == 128) {
            s += 'g';
            continue;
        }
        if ((c.r != 0 && c.r != 255) || (c.g != 0 && c.g != 255) || (c.b != 0 && c.b != 255)) {
            s += '?';
            continue;
        }
        s += ".BGCRMYW"[(c.r ? 4 : 0) + (c.g ? 2 : 0) + (c.b ? 1 : 0)];
    }
    return s;
}

std::vector<std::string> mask(int x, int y, int w, int h) {
    std::vector<std::string> rows;
    for (int r = 0; r < h; ++r) {
        std::string row;
        for (int c = 0; c < w; ++c) {
            ofColor p = pixel(x + c, y + r);
            row += p.r > 127 || p.g > 127 || p.b > 127 ? 'X' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace GLTestWindow
