#include "ofGLRenderer.h"

// Images draw through the image and texture code, which is not part of this
// library yet. Until it is, these draw nothing. Bitmap strings are in
// ofGLRendererText.cpp.

void ofGLRenderer::draw(ofImage_<float>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned short>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned char>&, float, float, float, float, float, float, float, float, float) {}
