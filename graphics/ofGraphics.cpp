#include "ofGraphics.h"

#include <GL/gl.h>

#include "ofLog.h"
#include "ofPath.h"

namespace {

// Constant-initialised, so it is usable from any static constructor and is
// released (destroying the renderer) only at static teardown.
std::shared_ptr<ofBaseRenderer> currentRenderer;

// Reached from exit handlers too: made on first use and never deleted.
ofStyle& currentStyle() {
    static ofStyle* style = new ofStyle;
    return *style;
}

ofPath& shapePath() {
    static ofPath* path = new ofPath;
    return *path;
}

// The style keeps what OpenGL shows: each channel clamped to a byte.
unsigned char clampChannel(int value) {
    return static_cast<unsigned char>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

void storeColor(ofColor& target, int r, int g, int b, int a) {
    target.r = clampChannel(r);
    target.g = clampChannel(g);
    target.b = clampChannel(b);
    target.a = clampChannel(a);
}

}  // namespace

void ofSetCurrentRenderer(std::shared_ptr<ofBaseRenderer> renderer) {
    ofFlushDraws();
    currentRenderer = renderer;
    if (!currentRenderer) return;
    currentRenderer->setupGraphicDefaults();
    ofPath& path = shapePath();
    path.setMode(currentRenderer->rendersPathDirectly() ? ofPath::COMMANDS : ofPath::POLYLINES);
    path.setUseShapeColor(false);
    ofSetStyle(currentStyle());
    ofStyle& style = currentStyle();
    currentRenderer->background(style.bgColor.r, style.bgColor.g, style.bgColor.b, style.bgColor.a);
}

std::shared_ptr<ofBaseRenderer>& ofGetCurrentRenderer() {
    return currentRenderer;
}

ofPath& ofGetShapePath() {
    return shapePath();
}

ofStyle ofGetStyle() {
    return currentStyle();
}

void ofSetStyle(ofStyle style) {
    ofStyle& current = currentStyle();
    ofPath& path = shapePath();

    ofSetColor(style.color);
    current.bgColor = style.bgColor;

    if (currentRenderer) currentRenderer->setCircleResolution(style.circleResolution);
    current.circleResolution = style.circleResolution;
    // The renderer compares against the still-stored sphere resolution.
    if (currentRenderer) currentRenderer->setSphereResolution(style.sphereResolution);
    current.sphereResolution = style.sphereResolution;

    path.setCurveResolution(style.curveResolution);
    current.curveResolution = style.curveResolution;

    path.setStrokeWidth(style.lineWidth);
    if (currentRenderer) currentRenderer->setLineWidth(style.lineWidth);
    current.lineWidth = style.lineWidth;

    if (currentRenderer) currentRenderer->setRectMode(style.rectMode);
    current.rectMode = style.rectMode;

    path.setPolyWindingMode(static_cast<ofPolyWindingMode>(style.polyMode));
    current.polyMode = style.polyMode;

    if (style.bFill) {
        ofFill();
    } else {
        ofNoFill();
    }

    if (currentRenderer) currentRenderer->setLineSmoothing(style.smoothing);
    current.smoothing = style.smoothing;

    // Mode 0 leaves blending as it is; only ofDisableAlphaBlending turns it off.
    current.blendingMode = style.blendingMode;
    if (currentRenderer) currentRenderer->setBlendMode(style.blendingMode);

    current.drawBitmapMode = style.drawBitmapMode;
}

void ofSetColor(int r, int g, int b) {
    ofSetColor(r, g, b, 255);
}

void ofSetColor(int r, int g, int b, int a) {
    storeColor(currentStyle().color, r, g, b, a);
    if (currentRenderer) currentRenderer->setColor(r, g, b, a);
}

void ofSetColor(int gray) {
    if (gray > 255) {
        ofLog(OF_LOG_WARNING,
              "ofSetColor(int hexColor) - has changed to ofSetColor(int gray) - perhaps you want ofSetHexColor "
              "instead?\n");
    }
    ofSetColor(gray, gray, gray, 255);
}

void ofSetColor(const ofColor& color) {
    ofSetColor(color.r, color.g, color.b, color.a);
}

void ofSetColor(const ofColor& color, int alpha) {
    ofSetColor(color.r, color.g, color.b, alpha);
}

void ofBackground(int r, int g, int b, int a) {
    storeColor(currentStyle().bgColor, r, g, b, a);
    if (currentRenderer) currentRenderer->background(r, g, b, a);
}

void ofBackground(int brightness, int alpha) {
    ofBackground(brightness, brightness, brightness, alpha);
}

void ofClear(float r, float g, float b, float a) {
    if (currentRenderer) currentRenderer->clear(r, g, b, a);
}

void ofSetBackgroundAuto(bool bAuto) {
    if (currentRenderer) currentRenderer->setBackgroundAuto(bAuto);
}

bool ofbClearBg() {
    return currentRenderer ? currentRenderer->bClearBg() : true;
}

ofFloatColor* ofBgColorPtr() {
    static ofFloatColor noRendererColor;
    return currentRenderer ? &currentRenderer->getBgColor() : &noRendererColor;
}

void ofFill() {
    currentStyle().bFill = true;
    shapePath().setFilled(true);
    shapePath().setStrokeWidth(0);
    if (currentRenderer) currentRenderer->setFillMode(OF_FILLED);
}

void ofNoFill() {
    currentStyle().bFill = false;
    shapePath().setFilled(false);
    shapePath().setStrokeWidth(currentStyle().lineWidth);
    if (currentRenderer) currentRenderer->setFillMode(OF_OUTLINE);
}

int ofGetRectMode() {
    return currentRenderer ? currentRenderer->getRectMode() : currentStyle().rectMode;
}

void ofSetLineWidth(float lineWidth) {
    currentStyle().lineWidth = lineWidth;
    shapePath().setStrokeWidth(lineWidth);
    if (currentRenderer) currentRenderer->setLineWidth(lineWidth);
}

void ofSetCircleResolution(int res) {
    currentStyle().circleResolution = res;
    if (currentRenderer) currentRenderer->setCircleResolution(res);
}

void ofEnableAlphaBlending() {
    currentStyle().blendingMode = OF_BLENDMODE_ALPHA;
    if (currentRenderer) currentRenderer->setBlendMode(OF_BLENDMODE_ALPHA);
}

void ofDisableAlphaBlending() {
    currentStyle().blendingMode = OF_BLENDMODE_DISABLED;
    ofFlushDraws();
    glDisable(GL_BLEND);
}

void ofEnableSmoothing() {
    currentStyle().smoothing = true;
    if (currentRenderer) currentRenderer->setLineSmoothing(true);
}

void ofPushMatrix() {
    if (currentRenderer) currentRenderer->pushMatrix();
}

void ofPopMatrix() {
    if (currentRenderer) currentRenderer->popMatrix();
}

void ofTranslate(float x, float y, float z) {
    if (currentRenderer) currentRenderer->translate(x, y, z);
}

void ofScale(float xAmnt, float yAmnt, float zAmnt) {
    if (currentRenderer) currentRenderer->scale(xAmnt, yAmnt, zAmnt);
}

void ofRotate(float degrees) {
    if (currentRenderer) currentRenderer->rotate(degrees);
}

void ofPushView() {
    if (currentRenderer) currentRenderer->pushView();
}

void ofPopView() {
    if (currentRenderer) currentRenderer->popView();
}

void ofViewport(float x, float y, float width, float height, bool invertY) {
    if (currentRenderer) currentRenderer->viewport(x, y, width, height, invertY);
}

void ofViewport(ofRectangle viewport) {
    if (currentRenderer) currentRenderer->viewport(viewport.x, viewport.y, viewport.width, viewport.height, true);
}

ofRectangle ofGetCurrentViewport() {
    return currentRenderer ? currentRenderer->getCurrentViewport() : ofRectangle();
}

int ofGetViewportWidth() {
    return currentRenderer ? currentRenderer->getViewportWidth() : 0;
}

int ofGetViewportHeight() {
    return currentRenderer ? currentRenderer->getViewportHeight() : 0;
}

void ofSetCoordHandedness(int handedness) {
    if (currentRenderer) currentRenderer->setCoordHandedness(handedness);
}

void ofSetupScreen() {
    if (currentRenderer) currentRenderer->setupScreen();
}

void ofLine(const ofPoint& p1, const ofPoint& p2) {
    if (currentRenderer) currentRenderer->drawLine(p1.x, p1.y, p1.z, p2.x, p2.y, p2.z);
}

void ofLine(float x1, float y1, float x2, float y2) {
    if (currentRenderer) currentRenderer->drawLine(x1, y1, 0, x2, y2, 0);
}

void ofRect(float x, float y, float w, float h) {
    if (currentRenderer) currentRenderer->drawRectangle(x, y, 0, w, h);
}

void ofRect(const ofRectangle& r) {
    if (currentRenderer) currentRenderer->drawRectangle(r.x, r.y, 0, r.width, r.height);
}

void ofTriangle(const ofPoint& p1, const ofPoint& p2, const ofPoint& p3) {
    if (currentRenderer) currentRenderer->drawTriangle(p1.x, p1.y, p1.z, p2.x, p2.y, p2.z, p3.x, p3.y, p3.z);
}

void ofTriangle(float x1, float y1, float x2, float y2, float x3, float y3) {
    if (currentRenderer) currentRenderer->drawTriangle(x1, y1, 0, x2, y2, 0, x3, y3, 0);
}

void ofCircle(float x, float y, float radius) {
    if (currentRenderer) currentRenderer->drawCircle(x, y, 0, radius);
}

void ofDrawBitmapString(std::string textString, float x, float y, float z) {
    if (currentRenderer) currentRenderer->drawString(textString, x, y, z, currentStyle().drawBitmapMode);
}

void ofDrawBitmapString(std::string textString, float x, float y) {
    ofDrawBitmapString(textString, x, y, 0);
}

void ofBeginShape() {
    shapePath().clear();
}

void ofVertex(float x, float y) {
    shapePath().lineTo(x, y);
}

void ofEndShape(bool bClose) {
    if (bClose) shapePath().close();
    shapePath().draw();
}
