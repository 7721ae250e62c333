#include "RecordingRenderer.h"

#include <cstdio>

namespace {

std::string arg(float v) { char buf[32]; return std::snprintf(buf, sizeof buf, "%g", v), buf; }

std::string arg(int v) { return std::to_string(v); }
std::string arg(bool v) { return v ? "true" : "false"; }
std::string arg(const std::string& s) { return s; }
std::string arg(const char* s) { return s; }

std::string arg(const ofColor& c) {
    return "ofColor(" + arg(int(c.r)) + "," + arg(int(c.g)) + "," + arg(int(c.b)) + "," + arg(int(c.a)) + ")";
}

}  // namespace

template <class... A>
void RecordingRenderer::record(const char* name, const A&... args) {
    const std::string parts[] = {std::string(), arg(args)...};
    std::string line = std::string(name) + "(";
    for (size_t i = 1; i < sizeof...(A) + 1; ++i) line += (i > 1 ? "," : "") + parts[i];
    calls.push_back(line + ")");
}

void RecordingRenderer::reset() { calls.clear(); drawnMeshes.clear(); drawnPolylines.clear(); }

std::vector<std::string> RecordingRenderer::take() { std::vector<std::string> out; out.swap(calls); reset(); return out; }

std::string RecordingRenderer::getType() { record("getType"); return "Recording"; }

void RecordingRenderer::update() { record("update"); }

void RecordingRenderer::draw(ofImage_<float>&, float x, float y, float z, float w, float h, float sx, float sy,
                             float sw, float sh) {
    record("drawFloatImage", x, y, z, w, h, sx, sy, sw, sh);
}

void RecordingRenderer::draw(ofImage_<unsigned short>&, float x, float y, float z, float w, float h, float sx,
                             float sy, float sw, float sh) {
    record("drawShortImage", x, y, z, w, h, sx, sy, sw, sh);
}

void RecordingRenderer::draw(ofImage_<unsigned char>&, float x, float y, float z, float w, float h, float sx,
                             float sy, float sw, float sh) {
    record("drawImage", x, y, z, w, h, sx, sy, sw, sh);
}

void RecordingRenderer::draw(std::vector<ofPoint>& v, int mode) { record("drawVertices", int(v.size()), mode); }

void RecordingRenderer::draw(ofMesh& mesh, int renderType, bool useColors, bool useTextures, bool useNormals) {
    drawnMeshes.push_back(mesh);
    record("drawMesh", renderType, "vertices=" + arg(mesh.getNumVertices()), "indices=" + arg(mesh.getNumIndices()),
           useColors, useTextures, useNormals);
}

void RecordingRenderer::draw(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) {
    drawnMeshes.push_back(mesh);
    record("drawMesh", "vertices=" + arg(mesh.getNumVertices()), "indices=" + arg(mesh.getNumIndices()), useColors,
           useTextures, useNormals);
}

void RecordingRenderer::draw(ofPath&) { record("drawPath"); }

void RecordingRenderer::draw(ofPolyline& poly) {
    drawnPolylines.push_back(poly);
    record("drawPolyline", "points=" + arg(poly.size()), poly.isClosed() ? "closed" : "open");
}

void RecordingRenderer::pushView() { record("pushView"); }
void RecordingRenderer::popView() { record("popView"); }

void RecordingRenderer::viewport(float x, float y, float w, float h, bool invertY) {
    record("viewport", x, y, w, h, invertY);
}

void RecordingRenderer::viewport(ofRectangle r) { record("viewportRect", r.x, r.y, r.width, r.height); }

void RecordingRenderer::setupScreenPerspective(float width, float height, int orientation, bool vFlip, float fov,
                                               float nearDist, float farDist) {
    record("setupScreenPerspective", width, height, orientation, vFlip, fov, nearDist, farDist);
}

void RecordingRenderer::setupScreenOrtho(float width, float height, int orientation, bool vFlip, float nearDist,
                                         float farDist) {
    record("setupScreenOrtho", width, height, orientation, vFlip, nearDist, farDist);
}

ofRectangle RecordingRenderer::getCurrentViewport() { record("getCurrentViewport"); return currentViewport; }

int RecordingRenderer::getViewportWidth() { record("getViewportWidth"); return int(currentViewport.width); }

int RecordingRenderer::getViewportHeight() { record("getViewportHeight"); return int(currentViewport.height); }

void RecordingRenderer::setCoordHandedness(int h) { handedness = h; record("setCoordHandedness", h); }

int RecordingRenderer::getCoordHandedness() { record("getCoordHandedness"); return handedness; }

void RecordingRenderer::pushMatrix() { record("pushMatrix"); }
void RecordingRenderer::popMatrix() { record("popMatrix"); }
void RecordingRenderer::translate(const ofPoint& p) { record("translatePoint", p.x, p.y, p.z); }
void RecordingRenderer::translate(float x, float y, float z) { record("translate", x, y, z); }
void RecordingRenderer::scale(float x, float y, float z) { record("scale", x, y, z); }
void RecordingRenderer::rotate(float degrees) { record("rotate", degrees); }
void RecordingRenderer::rotate(float degrees, float x, float y, float z) { record("rotateAxis", degrees, x, y, z); }
void RecordingRenderer::rotateX(float degrees) { record("rotateX", degrees); }
void RecordingRenderer::rotateY(float degrees) { record("rotateY", degrees); }
void RecordingRenderer::rotateZ(float degrees) { record("rotateZ", degrees); }
void RecordingRenderer::matrixMode(int mode) { record("matrixMode", mode); }
void RecordingRenderer::loadIdentityMatrix() { record("loadIdentityMatrix"); }
void RecordingRenderer::loadMatrix(const float* m) { record("loadMatrixFloats", m[0], m[15]); }
void RecordingRenderer::loadMatrix(const ofMatrix4x4& m) { record("loadMatrix", m.m[0], m.m[15]); }
void RecordingRenderer::multMatrix(const float* m) { record("multMatrixFloats", m[0], m[15]); }
void RecordingRenderer::multMatrix(const ofMatrix4x4& m) { record("multMatrix", m.m[0], m.m[15]); }

void RecordingRenderer::setupGraphicDefaults() { record("setupGraphicDefaults"); }
void RecordingRenderer::setupScreen() { record("setupScreen"); }

void RecordingRenderer::setRectMode(int mode) { rectMode = mode; record("setRectMode", mode); }

int RecordingRenderer::getRectMode() { record("getRectMode"); return rectMode; }

void RecordingRenderer::setFillMode(int fill) { fillMode = fill; record("setFillMode", fill); }

int RecordingRenderer::getFillMode() { record("getFillMode"); return fillMode; }

void RecordingRenderer::setLineWidth(float lineWidth) { record("setLineWidth", lineWidth); }
void RecordingRenderer::setBlendMode(int blendMode) { record("setBlendMode", blendMode); }
void RecordingRenderer::setLineSmoothing(bool smooth) { record("setLineSmoothing", smooth); }
void RecordingRenderer::setCircleResolution(int res) { record("setCircleResolution", res); }
void RecordingRenderer::setSphereResolution(int res) { record("setSphereResolution", res); }
void RecordingRenderer::enablePointSprites() { record("enablePointSprites"); }
void RecordingRenderer::disablePointSprites() { record("disablePointSprites"); }

void RecordingRenderer::setColor(int gray) { record("setColorGray", gray); }
void RecordingRenderer::setColor(const ofColor& c, int alpha) { record("setColor", c, alpha); }
void RecordingRenderer::setColor(const ofColor& c) { record("setColor", c); }
void RecordingRenderer::setColor(int r, int g, int b, int a) { record("setColor", r, g, b, a); }
void RecordingRenderer::setColor(int r, int g, int b) { record("setColor", r, g, b); }
void RecordingRenderer::setHexColor(int hexColor) { record("setHexColor", hexColor); }

ofFloatColor& RecordingRenderer::getBgColor() { record("getBgColor"); return bgColor; }

bool RecordingRenderer::bClearBg() { record("bClearBg"); return clearBg; }

void RecordingRenderer::background(int r, int g, int b, int a) { record("background", r, g, b, a); }
void RecordingRenderer::background(int hexColor, float alpha) { record("backgroundHex", hexColor, alpha); }
void RecordingRenderer::background(float brightness) { record("backgroundBrightness", brightness); }
void RecordingRenderer::background(const ofColor& c) { record("background", c); }
void RecordingRenderer::setBackgroundAuto(bool bAuto) { record("setBackgroundAuto", bAuto); }
void RecordingRenderer::clear(float brightness, float alpha) { record("clearGray", brightness, alpha); }
void RecordingRenderer::clear(float r, float g, float b, float a) { record("clear", r, g, b, a); }
void RecordingRenderer::clearAlpha() { record("clearAlpha"); }

void RecordingRenderer::drawLine(float x1, float y1, float z1, float x2, float y2, float z2) {
    record("drawLine", x1, y1, z1, x2, y2, z2);
}

void RecordingRenderer::drawRectangle(float x, float y, float z, float w, float h) { record("drawRectangle", x, y, z, w, h); }

void RecordingRenderer::drawTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                                     float z3) {
    record("drawTriangle", x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void RecordingRenderer::drawCircle(float x, float y, float z, float radius) { record("drawCircle", x, y, z, radius); }
void RecordingRenderer::drawSphere(float x, float y, float z, float radius) { record("drawSphere", x, y, z, radius); }

void RecordingRenderer::drawEllipse(float x, float y, float z, float width, float height) {
    record("drawEllipse", x, y, z, width, height);
}

void RecordingRenderer::drawString(std::string text, float x, float y, float z, int mode) {
    record("drawString", "\"" + text + "\"", x, y, z, mode);
}

bool RecordingRenderer::rendersPathDirectly() { record("rendersPathDirectly"); return drawsPathsDirectly; }
