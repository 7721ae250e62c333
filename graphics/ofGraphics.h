#pragma once

#include <memory>
#include <string>

#include "ofBaseRenderer.h"
#include "ofColor.h"
#include "ofGraphicsConstants.h"
#include "ofPoint.h"
#include "ofRectangle.h"
#include "ofStyle.h"

class ofPath;

// The free drawing functions: each forwards to the one current renderer; the
// setting functions also record in the current style and, for fill and line
// width, in the global shape path that ofBeginShape/ofVertex/ofEndShape build.

void ofSetCurrentRenderer(std::shared_ptr<ofBaseRenderer> renderer);
std::shared_ptr<ofBaseRenderer>& ofGetCurrentRenderer();

ofStyle ofGetStyle();
void ofSetStyle(ofStyle style);

void ofSetColor(int r, int g, int b);
void ofSetColor(int r, int g, int b, int a);
void ofSetColor(int gray);
void ofSetColor(const ofColor& color);
void ofSetColor(const ofColor& color, int alpha);

void ofBackground(int r, int g, int b, int a = 255);
void ofBackground(int brightness, int alpha = 255);
void ofClear(float r, float g, float b, float a = 0);
void ofSetBackgroundAuto(bool bAuto);
bool ofbClearBg();
ofFloatColor* ofBgColorPtr();

void ofFill();
void ofNoFill();
int ofGetRectMode();
void ofSetLineWidth(float lineWidth);
void ofSetCircleResolution(int res);
void ofEnableAlphaBlending();
void ofDisableAlphaBlending();
void ofEnableSmoothing();

void ofPushMatrix();
void ofPopMatrix();
void ofTranslate(float x, float y, float z = 0);
void ofScale(float xAmnt, float yAmnt, float zAmnt = 1);
void ofRotate(float degrees);

void ofPushView();
void ofPopView();
void ofViewport(float x, float y, float width, float height, bool invertY = true);
void ofViewport(ofRectangle viewport);
ofRectangle ofGetCurrentViewport();
int ofGetViewportWidth();
int ofGetViewportHeight();
void ofSetCoordHandedness(int handedness);
void ofSetupScreen();
// Draws what the OpenGL renderer holds back, and has it read OpenGL's state
// afresh afterwards. Anything that calls OpenGL itself (textures, fonts,
// read-backs, buffer swaps) calls this first.
void ofFlushDraws();

void ofLine(const ofPoint& p1, const ofPoint& p2);
void ofLine(float x1, float y1, float x2, float y2);
void ofRect(float x, float y, float w, float h);
void ofRect(const ofRectangle& r);
void ofTriangle(const ofPoint& p1, const ofPoint& p2, const ofPoint& p3);
void ofTriangle(float x1, float y1, float x2, float y2, float x3, float y3);
void ofCircle(float x, float y, float radius);
void ofDrawBitmapString(std::string textString, float x, float y, float z);
void ofDrawBitmapString(std::string textString, float x, float y);

void ofBeginShape();
void ofVertex(float x, float y);
void ofEndShape(bool bClose = false);

// The global shape path behind ofBeginShape, ofVertex and ofEndShape.
ofPath& ofGetShapePath();
