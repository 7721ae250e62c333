#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

#include "ofColor.h"

class ofAppGlutWindow;

// One real GLUT window per test process, opened through the runner so the
// OpenGL renderer is current. Tests of one process share it: each open gives
// it the size asked for and what a new window starts with, a new renderer,
// OpenGL's state and the default drawing style.
namespace GLTestWindow {

ofAppGlutWindow& open(int width, int height);
// open, then a black screen in window coordinates: origin top-left, y down.
ofAppGlutWindow& openScreen(int width, int height);
// ofStyle's defaults, with blending off (style mode 0 leaves it as it is).
void defaultStyle();
// Lets freeglut handle what the X server sent (map, reshape, input).
void pump(int rounds = 10);
// The pixel at (x, y) counted from the window's top-left corner.
ofColor pixel(int x, int y, GLenum buffer = GL_BACK);
// Its red, green and blue.
std::vector<int> rgb(int x, int y);
// n pixels from (x, y) rightwards (or downwards), a letter each: . black,
// W white, g grey 128, R G B Y C M the primaries and their mixes, ? other.
std::string colours(int x, int y, int n, bool down = false);
// The rows of a region, "X" where any channel is above 127, "." elsewhere.
std::vector<std::string> mask(int x, int y, int w, int h);

}  // namespace GLTestWindow
