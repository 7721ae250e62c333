#pragma once

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <array>
#include <vector>

// One small GLUT window per test process with a pixel-exact 2-D projection:
// origin top-left, y down, one unit per pixel.
class ImageFontGLContext {
public:
    static const int width = 240;
    static const int height = 180;

    static void open() {
        static bool opened = false;
        if (!opened) {
            opened = true;
            int argc = 1;
            char name[] = "image-font-tests";
            char* argv[] = {name, nullptr};
            glutInit(&argc, argv);
            glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
            glutInitWindowSize(width, height);
            glutCreateWindow("image-font-tests");
            glewExperimental = GL_TRUE;
            glewInit();
        }
        screen();
    }

    static void screen() {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, height, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_BLEND);
        glColor4f(1, 1, 1, 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // RGB of the pixel at (x, y), top-left origin.
    static std::array<int, 3> pixel(int x, int y) {
        glFinish();
        unsigned char rgba[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // The red channel of a w x h region, rows from the top.
    static std::vector<int> reds(int x, int y, int w, int h) {
        glFinish();
        std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, height - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        std::vector<int> out;
        for (int r = h - 1; r >= 0; --r)
            for (int c = 0; c < w; ++c) out.push_back(rgba[static_cast<size_t>((r * w + c) * 4)]);
        return out;
    }
};

typedef std::array<int, 3> RGB;
