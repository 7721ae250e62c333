#pragma once

#include <string>
#include <vector>

#include "ofColor.h"
#include "ofGraphicsConstants.h"
#include "ofMatrix4x4.h"
#include "ofPoint.h"
#include "ofRectangle.h"

template <typename PixelType>
class ofImage_;
class ofMesh;
class ofPath;
class ofPolyline;

// What every renderer does. The free drawing functions forward to the one
// current renderer. Colour channels given as int are 0..255, angles degrees.
class ofBaseRenderer {
public:
    virtual ~ofBaseRenderer() {}

    virtual std::string getType() = 0;
    virtual void update() = 0;

    virtual void draw(ofImage_<float>& image, float x, float y, float z, float w, float h, float sx, float sy,
                      float sw, float sh) = 0;
    virtual void draw(ofImage_<unsigned short>& image, float x, float y, float z, float w, float h, float sx,
                      float sy, float sw, float sh) = 0;
    virtual void draw(ofImage_<unsigned char>& image, float x, float y, float z, float w, float h, float sx,
                      float sy, float sw, float sh) = 0;
    virtual void draw(std::vector<ofPoint>& vertexData, int drawMode) = 0;
    virtual void draw(ofMesh& mesh, int renderType, bool useColors, bool useTextures, bool useNormals) = 0;
    virtual void draw(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) = 0;
    virtual void draw(ofPath& path) = 0;
    virtual void draw(ofPolyline& poly) = 0;

    virtual void pushView() {}
    virtual void popView() {}

    virtual void viewport(float /*x*/, float /*y*/, float /*width*/, float /*height*/, bool /*invertY*/) {}
    virtual void viewport(ofRectangle /*viewport*/) {}
    virtual void setupScreenPerspective(float /*width*/, float /*height*/, int /*orientation*/, bool /*vFlip*/,
                                        float /*fov*/, float /*nearDist*/, float /*farDist*/) {}
    virtual void setupScreenOrtho(float /*width*/, float /*height*/, int /*orientation*/, bool /*vFlip*/,
                                  float /*nearDist*/, float /*farDist*/) {}
    virtual ofRectangle getCurrentViewport() { return ofRectangle(); }
    virtual int getViewportWidth() { return 0; }
    virtual int getViewportHeight() { return 0; }

    virtual void setCoordHandedness(int /*handedness*/) {}
    virtual int getCoordHandedness() { return 0; }

    virtual void pushMatrix() {}
    virtual void popMatrix() {}
    virtual void translate(const ofPoint& /*p*/) {}
    virtual void translate(float /*x*/, float /*y*/, float /*z*/) {}
    virtual void scale(float /*xAmnt*/, float /*yAmnt*/, float /*zAmnt*/) {}
    virtual void rotate(float /*degrees*/) {}
    virtual void rotate(float /*degrees*/, float /*axisX*/, float /*axisY*/, float /*axisZ*/) {}
    virtual void rotateX(float /*degrees*/) {}
    virtual void rotateY(float /*degrees*/) {}
    virtual void rotateZ(float /*degrees*/) {}

    virtual void matrixMode(int /*mode*/) {}
    virtual void loadIdentityMatrix() {}
    virtual void loadMatrix(const float* /*m*/) {}
    virtual void loadMatrix(const ofMatrix4x4& /*m*/) {}
    virtual void multMatrix(const float* /*m*/) {}
    virtual void multMatrix(const ofMatrix4x4& /*m*/) {}

    virtual void setupGraphicDefaults() {}
    virtual void setupScreen() {}

    virtual void setRectMode(int mode) = 0;
    virtual int getRectMode() = 0;
    virtual void setFillMode(int fill) = 0;
    virtual int getFillMode() = 0;
    virtual void setLineWidth(float lineWidth) = 0;
    virtual void setBlendMode(int blendMode) = 0;
    virtual void setLineSmoothing(bool smooth) = 0;
    virtual void setCircleResolution(int /*res*/) {}
    virtual void setSphereResolution(int /*res*/) {}
    virtual void enablePointSprites() {}
    virtual void disablePointSprites() {}

    virtual void setColor(int /*gray*/) {}
    virtual void setColor(const ofColor& /*color*/, int /*alpha*/) {}
    virtual void setColor(const ofColor& /*color*/) {}
    virtual void setColor(int /*r*/, int /*g*/, int /*b*/, int /*a*/) {}
    virtual void setColor(int /*r*/, int /*g*/, int /*b*/) {}
    virtual void setHexColor(int /*hexColor*/) {}

    virtual ofFloatColor& getBgColor() = 0;
    virtual bool bClearBg() { return true; }
    virtual void background(int /*r*/, int /*g*/, int /*b*/, int /*a*/) {}
    virtual void background(int /*hexColor*/, float /*alpha*/) {}
    virtual void background(float /*brightness*/) {}
    virtual void background(const ofColor& /*c*/) {}
    virtual void setBackgroundAuto(bool /*bAuto*/) {}

    virtual void clear(float /*brightness*/, float /*alpha*/) {}
    virtual void clear(float /*r*/, float /*g*/, float /*b*/, float /*a*/) {}
    virtual void clearAlpha() {}

    virtual void drawLine(float x1, float y1, float z1, float x2, float y2, float z2) = 0;
    virtual void drawRectangle(float x, float y, float z, float w, float h) = 0;
    virtual void drawTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                              float z3) = 0;
    virtual void drawCircle(float x, float y, float z, float radius) = 0;
    virtual void drawSphere(float x, float y, float z, float radius) = 0;
    virtual void drawEllipse(float x, float y, float z, float width, float height) = 0;
    virtual void drawString(std::string text, float x, float y, float z, int mode) = 0;

    // True for a renderer that draws a path's commands itself.
    virtual bool rendersPathDirectly() = 0;
};
