#include "GLTestWindow.h"

#include <GL/freeglut.h>

#include <chrono>
#include <memory>
#include <thread>

#include "WaitUntil.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace GLTestWindow {

namespace {

ofAppGlutWindow* window = nullptr;

// What the window's context starts with, kept at the bottom of the attribute
// stacks from the first open on.
void keepFreshState() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
}

// The kept state again, whatever a test left pushed on top of it; the
// matrices, which no attribute holds, back to the identity.
void restoreFreshState() {
    GLint depth = 0;
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &depth);
    for (; depth > 0; --depth) glPopClientAttrib();
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    for (; depth > 0; --depth) glPopAttrib();
    GLint mode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    const GLenum stacks[][2] = {{GL_TEXTURE, GL_TEXTURE_STACK_DEPTH},
                                {GL_PROJECTION, GL_PROJECTION_STACK_DEPTH},
                                {GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH}};
    for (const auto& stack : stacks) {
        glMatrixMode(stack[0]);
        glGetIntegerv(stack[1], &depth);
        for (; depth > 1; --depth) glPopMatrix();
        glLoadIdentity();
    }
    glMatrixMode(static_cast<GLenum>(mode));
    while (glGetError() != GL_NO_ERROR) {
    }
    keepFreshState();
}

}  // namespace

// GLUT starts once per process, and textures (the bitmap font's glyph sheet
// among them) live in the context they were made in: later opens reuse the
// window and its context rather than make new ones.
ofAppGlutWindow& open(int width, int height) {
    if (!window) {
        window = new ofAppGlutWindow;
        ofSetupOpenGL(window, width, height, OF_WINDOW);
        window->initializeWindow();
        pump(20);
        keepFreshState();
        return *window;
    }
    ofFlushDraws();  // the last test's held draws, in the state they were made in
    defaultStyle();
    restoreFreshState();
    ofSetCurrentRenderer(std::make_shared<ofGLRenderer>());
    const bool resizing = glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height;
    window->setWindowShape(width, height);
    if (resizing) {
        // GLUT reports the size before its reshape reaches the window's record.
        waitUntil([&] {
            pump(1);
            return glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height &&
                   ofGetWindowWidth() == width && ofGetWindowHeight() == height;
        });
    } else if (ofGetWindowWidth() != width || ofGetWindowHeight() != height) {
        ofAppGlutWindow::reshape(width, height);  // a test's own reshape: no event will set the record back
    }
    glViewport(0, 0, width, height);  // as a new context's first
    return *window;
}

void defaultStyle() {
    ofSetStyle(ofStyle());
    ofDisableAlphaBlending();
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

std::vector<int> rgb(int x, int y) {
    const ofColor c = pixel(x, y);
    return {c.r, c.g, c.b};
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
