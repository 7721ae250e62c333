#pragma once

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <array>
#include <string>
#include <vector>

// A small GLUT window with a pixel-exact 2-D projection: origin top-left,
// y down, one unit per pixel. One per test process.
class TextGLContext {
public:
    static const int width = 200;
    static const int height = 160;

    static void open() {
        static bool opened = false;
        if (opened) return;
        opened = true;
        int argc = 1;
        char name[] = "text-tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
        glutInitWindowSize(width, height);
        glutCreateWindow("text-tests");
        glewExperimental = GL_TRUE;
        glewInit();
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

    // RGB of the pixel at (x, y) in the top-left-origin coordinates.
    static std::array<int, 3> pixel(int x, int y) {
        glFinish();
        unsigned char rgba[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // Rows of a region as text: "X" where the red channel is above 127.
    static std::vector<std::string> mask(int x, int y, int w, int h) {
        glFinish();
        std::vector<unsigned char> rgba(static_cast<size_t>(w * h * 4));
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, height - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        std::vector<std::string> rows;
        for (int r = h - 1; r >= 0; --r) {
            std::string row;
            for (int c = 0; c < w; ++c) row += rgba[static_cast<size_t>((r * w + c) * 4)] > 127 ? 'X' : '.';
            rows.push_back(row);
        }
        return rows;
    }
};

typedef std::array<int, 3> RGB;
