#include "RecordingRenderer.h"

#include <cstdio>

namespace {

std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string num(int v) {
    return std::to_string(v);
}

std::string flag(bool v) {
    return v ? "true" : "false";
}

std::string colour(const ofColor& c) {
    return "ofColor(" + num(int(c.r)) + "," + num(int(c.g)) + "," + num(int(c.b)) + "," + num(int(c.a)) + ")";
}

std::string image(float x, float y, float z, float w, float h, float sx, float sy, float sw, float sh) {
    return num(x) + "," + num(y) + "," + num(z) + "," + num(w) + "," + num(h) + "," + num(sx) + "," + num(sy) + "," +
           num(sw) + "," + num(sh);
}

}  // namespace

void RecordingRenderer::record(const std::string& name, const std::vector<std::string>& args) {
    std::string line = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) line += ",";
        line += args[i];
    }
    calls.push_back(line + ")");
}

void RecordingRenderer::reset() {
    calls.clear();
    drawnMeshes.clear();
    drawnPolylines.clear();
}

std::vector<std::string> RecordingRenderer::take() {
    std::vector<std::string> out;
    out.swap(calls);
    reset();
    return out;
}

std::string RecordingRenderer::getType() {
    record("getType");
    return "Recording";
}

void RecordingRenderer::update() { record("update"); }

void RecordingRenderer::draw(ofImage_<float>&, float x, float y, float z, float w, float h, float sx, float sy,
                             float sw, float sh) {
    record("drawFloatImage", {image(x, y, z, w, h, sx, sy, sw, sh)});
}

void RecordingRenderer::draw(ofImage_<unsigned short>&, float x, float y, float z, float w, float h, float sx,
                             float sy, float sw, float sh) {
    record("drawShortImage", {image(x, y, z, w, h, sx, sy, sw, sh)});
}

void RecordingRenderer::draw(ofImage_<unsigned char>&, float x, float y, float z, float w, float h, float sx,
                             float sy, float sw, float sh) {
    record("drawImage", {image(x, y, z, w, h, sx, sy, sw, sh)});
}

void RecordingRenderer::draw(std::vector<ofPoint>& vertexData, int drawMode) {
    record("drawVertices", {num(int(vertexData.size())), num(drawMode)});
}

void RecordingRenderer::draw(ofMesh& mesh, int renderType, bool useColors, bool useTextures, bool useNormals) {
    drawnMeshes.push_back(mesh);
    record("drawMesh", {num(renderType), "vertices=" + num(mesh.getNumVertices()),
                        "indices=" + num(mesh.getNumIndices()), flag(useColors), flag(useTextures),
                        flag(useNormals)});
}

void RecordingRenderer::draw(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) {
    drawnMeshes.push_back(mesh);
    record("drawMesh", {"vertices=" + num(mesh.getNumVertices()), "indices=" + num(mesh.getNumIndices()),
                        flag(useColors), flag(useTextures), flag(useNormals)});
}

void RecordingRenderer::draw(ofPath&) { record("drawPath"); }

void RecordingRenderer::draw(ofPolyline& poly) {
    drawnPolylines.push_back(poly);
    record("drawPolyline", {"points=" + num(poly.size()), poly.isClosed() ? "closed" : "open"});
}

void RecordingRenderer::pushView() { record("pushView"); }
void RecordingRenderer::popView() { record("popView"); }

void RecordingRenderer::viewport(float x, float y, float width, float height, bool invertY) {
    record("viewport", {num(x), num(y), num(width), num(height), flag(invertY)});
}

void RecordingRenderer::viewport(ofRectangle r) {
    record("viewportRect", {num(r.x), num(r.y), num(r.width), num(r.height)});
}

void RecordingRenderer::setupScreenPerspective(float width, float height, int orientation, bool vFlip, float fov,
                                               float nearDist, float farDist) {
    record("setupScreenPerspective",
           {num(width), num(height), num(orientation), flag(vFlip), num(fov), num(nearDist), num(farDist)});
}

void RecordingRenderer::setupScreenOrtho(float width, float height, int orientation, bool vFlip, float nearDist,
                                         float farDist) {
    record("setupScreenOrtho", {num(width), num(height), num(orientation), flag(vFlip), num(nearDist), num(farDist)});
}

ofRectangle RecordingRenderer::getCurrentViewport() {
    record("getCurrentViewport");
    return currentViewport;
}

int RecordingRenderer::getViewportWidth() {
    record("getViewportWidth");
    return static_cast<int>(currentViewport.width);
}

int RecordingRenderer::getViewportHeight() {
    record("getViewportHeight");
    return static_cast<int>(currentViewport.height);
}

void RecordingRenderer::setCoordHandedness(int h) {
    handedness = h;
    record("setCoordHandedness", {num(h)});
}

int RecordingRenderer::getCoordHandedness() {
    record("getCoordHandedness");
    return handedness;
}

void RecordingRenderer::pushMatrix() { record("pushMatrix"); }
void RecordingRenderer::popMatrix() { record("popMatrix"); }
void RecordingRenderer::translate(const ofPoint& p) { record("translatePoint", {num(p.x), num(p.y), num(p.z)}); }
void RecordingRenderer::translate(float x, float y, float z) { record("translate", {num(x), num(y), num(z)}); }
void RecordingRenderer::scale(float x, float y, float z) { record("scale", {num(x), num(y), num(z)}); }
void RecordingRenderer::rotate(float degrees) { record("rotate", {num(degrees)}); }

void RecordingRenderer::rotate(float degrees, float axisX, float axisY, float axisZ) {
    record("rotateAxis", {num(degrees), num(axisX), num(axisY), num(axisZ)});
}

void RecordingRenderer::rotateX(float degrees) { record("rotateX", {num(degrees)}); }
void RecordingRenderer::rotateY(float degrees) { record("rotateY", {num(degrees)}); }
void RecordingRenderer::rotateZ(float degrees) { record("rotateZ", {num(degrees)}); }
void RecordingRenderer::matrixMode(int mode) { record("matrixMode", {num(mode)}); }
void RecordingRenderer::loadIdentityMatrix() { record("loadIdentityMatrix"); }
void RecordingRenderer::loadMatrix(const float* m) { record("loadMatrixFloats", {num(m[0]), num(m[15])}); }
void RecordingRenderer::loadMatrix(const ofMatrix4x4& m) { record("loadMatrix", {num(m.m[0]), num(m.m[15])}); }
void RecordingRenderer::multMatrix(const float* m) { record("multMatrixFloats", {num(m[0]), num(m[15])}); }
void RecordingRenderer::multMatrix(const ofMatrix4x4& m) { record("multMatrix", {num(m.m[0]), num(m.m[15])}); }

void RecordingRenderer::setupGraphicDefaults() { record("setupGraphicDefaults"); }
void RecordingRenderer::setupScreen() { record("setupScreen"); }

void RecordingRenderer::setRectMode(int mode) {
    rectMode = mode;
    record("setRectMode", {num(mode)});
}

int RecordingRenderer::getRectMode() {
    record("getRectMode");
    return rectMode;
}

void RecordingRenderer::setFillMode(int fill) {
    fillMode = fill;
    record("setFillMode", {num(fill)});
}

int RecordingRenderer::getFillMode() {
    record("getFillMode");
    return fillMode;
}

void RecordingRenderer::setLineWidth(float lineWidth) { record("setLineWidth", {num(lineWidth)}); }
void RecordingRenderer::setBlendMode(int blendMode) { record("setBlendMode", {num(blendMode)}); }
void RecordingRenderer::setLineSmoothing(bool smooth) { record("setLineSmoothing", {flag(smooth)}); }
void RecordingRenderer::setCircleResolution(int res) { record("setCircleResolution", {num(res)}); }
void RecordingRenderer::setSphereResolution(int res) { record("setSphereResolution", {num(res)}); }
void RecordingRenderer::enablePointSprites() { record("enablePointSprites"); }
void RecordingRenderer::disablePointSprites() { record("disablePointSprites"); }

void RecordingRenderer::setColor(int gray) { record("setColorGray", {num(gray)}); }
void RecordingRenderer::setColor(const ofColor& c, int alpha) { record("setColor", {colour(c), num(alpha)}); }
void RecordingRenderer::setColor(const ofColor& c) { record("setColor", {colour(c)}); }

void RecordingRenderer::setColor(int r, int g, int b, int a) {
    record("setColor", {num(r), num(g), num(b), num(a)});
}

void RecordingRenderer::setColor(int r, int g, int b) { record("setColor", {num(r), num(g), num(b)}); }
void RecordingRenderer::setHexColor(int hexColor) { record("setHexColor", {num(hexColor)}); }

ofFloatColor& RecordingRenderer::getBgColor() {
    record("getBgColor");
    return bgColor;
}

bool RecordingRenderer::bClearBg() {
    record("bClearBg");
    return clearBg;
}

void RecordingRenderer::background(int r, int g, int b, int a) {
    record("background", {num(r), num(g), num(b), num(a)});
}

void RecordingRenderer::background(int hexColor, float alpha) { record("backgroundHex", {num(hexColor), num(alpha)}); }
void RecordingRenderer::background(float brightness) { record("backgroundBrightness", {num(brightness)}); }
void RecordingRenderer::background(const ofColor& c) { record("background", {colour(c)}); }
void RecordingRenderer::setBackgroundAuto(bool bAuto) { record("setBackgroundAuto", {flag(bAuto)}); }
void RecordingRenderer::clear(float brightness, float alpha) { record("clearGray", {num(brightness), num(alpha)}); }

void RecordingRenderer::clear(float r, float g, float b, float a) {
    record("clear", {num(r), num(g), num(b), num(a)});
}

void RecordingRenderer::clearAlpha() { record("clearAlpha"); }

void RecordingRenderer::drawLine(float x1, float y1, float z1, float x2, float y2, float z2) {
    record("drawLine", {num(x1), num(y1), num(z1), num(x2), num(y2), num(z2)});
}

void RecordingRenderer::drawRectangle(float x, float y, float z, float w, float h) {
    record("drawRectangle", {num(x), num(y), num(z), num(w), num(h)});
}

void RecordingRenderer::drawTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                                     float z3) {
    record("drawTriangle", {num(x1), num(y1), num(z1), num(x2), num(y2), num(z2), num(x3), num(y3), num(z3)});
}

void RecordingRenderer::drawCircle(float x, float y, float z, float radius) {
    record("drawCircle", {num(x), num(y), num(z), num(radius)});
}

void RecordingRenderer::drawSphere(float x, float y, float z, float radius) {
    record("drawSphere", {num(x), num(y), num(z), num(radius)});
}

void RecordingRenderer::drawEllipse(float x, float y, float z, float width, float height) {
    record("drawEllipse", {num(x), num(y), num(z), num(width), num(height)});
}

void RecordingRenderer::drawString(std::string text, float x, float y, float z, int mode) {
    record("drawString", {"\"" + text + "\"", num(x), num(y), num(z), num(mode)});
}

bool RecordingRenderer::rendersPathDirectly() {
    record("rendersPathDirectly");
    return drawsPathsDirectly;
}
