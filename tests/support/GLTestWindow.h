#pragma once

#include <GL/glew.h>

#include "ofColor.h"

class ofAppGlutWindow;

// One real GLUT window per test process (each test runs in its own process),
// opened through the runner so the OpenGL renderer is current.
namespace GLTestWindow {

ofAppGlutWindow& open(int width, int height);
// Lets freeglut handle what the X server sent (map, reshape, input).
void pump(int rounds = 10);
// The pixel at (x, y) counted from the window's top-left corner.
ofColor pixel(int x, int y, GLenum buffer = GL_BACK);

}  // namespace GLTestWindow
