#include "ofGLRenderer.h"

// Images and bitmap-font strings draw through the image, texture and bitmap
// font code, which is not part of this library yet. Until it is, these draw
// nothing.

void ofGLRenderer::draw(ofImage_<float>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned short>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned char>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::drawString(std::string, float, float, float, int) {}
