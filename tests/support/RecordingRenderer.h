#pragma once

#include <string>
#include <vector>

#include "ofBaseRenderer.h"
#include "ofMesh.h"
#include "ofPolyline.h"

// A renderer that draws nothing and records every call, with its arguments,
// as one line of text such as "setColor(255,0,0,255)". Floats are written
// with %g, bools as true/false. Meshes and polylines handed to a draw are
// also kept as copies for closer checks.
class RecordingRenderer : public ofBaseRenderer {
public:
    std::vector<std::string> calls;
    std::vector<ofMesh> drawnMeshes;
    std::vector<ofPolyline> drawnPolylines;

    // What the queries answer.
    bool drawsPathsDirectly = false;
    bool clearBg = true;
    int rectMode = 0;
    int fillMode = 1;
    int handedness = 0;
    ofRectangle currentViewport;
    ofFloatColor bgColor;

    void reset();
    // Calls recorded since the last reset, then reset.
    std::vector<std::string> take();

    std::string getType() override;
    void update() override;

    void draw(ofImage_<float>& image, float x, float y, float z, float w, float h, float sx, float sy, float sw,
              float sh) override;
    void draw(ofImage_<unsigned short>& image, float x, float y, float z, float w, float h, float sx, float sy,
              float sw, float sh) override;
    void draw(ofImage_<unsigned char>& image, float x, float y, float z, float w, float h, float sx, float sy,
              float sw, float sh) override;
    void draw(std::vector<ofPoint>& vertexData, int drawMode) override;
    void draw(ofMesh& mesh, int renderType, bool useColors, bool useTextures, bool useNormals) override;
    void draw(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) override;
    void draw(ofPath& path) override;
    void draw(ofPolyline& poly) override;

    void pushView() override;
    void popView() override;
    void viewport(float x, float y, float width, float height, bool invertY) override;
    void viewport(ofRectangle viewport) override;
    void setupScreenPerspective(float width, float height, int orientation, bool vFlip, float fov, float nearDist,
                                float farDist) override;
    void setupScreenOrtho(float width, float height, int orientation, bool vFlip, float nearDist,
                          float farDist) override;
    ofRectangle getCurrentViewport() override;
    int getViewportWidth() override;
    int getViewportHeight() override;
    void setCoordHandedness(int handedness) override;
    int getCoordHandedness() override;

    void pushMatrix() override;
    void popMatrix() override;
    void translate(const ofPoint& p) override;
    void translate(float x, float y, float z) override;
    void scale(float x, float y, float z) override;
    void rotate(float degrees) override;
    void rotate(float degrees, float axisX, float axisY, float axisZ) override;
    void rotateX(float degrees) override;
    void rotateY(float degrees) override;
    void rotateZ(float degrees) override;
    void matrixMode(int mode) override;
    void loadIdentityMatrix() override;
    void loadMatrix(const float* m) override;
    void loadMatrix(const ofMatrix4x4& m) override;
    void multMatrix(const float* m) override;
    void multMatrix(const ofMatrix4x4& m) override;

    void setupGraphicDefaults() override;
    void setupScreen() override;

    void setRectMode(int mode) override;
    int getRectMode() override;
    void setFillMode(int fill) override;
    int getFillMode() override;
    void setLineWidth(float lineWidth) override;
    void setBlendMode(int blendMode) override;
    void setLineSmoothing(bool smooth) override;
    void setCircleResolution(int res) override;
    void setSphereResolution(int res) override;
    void enablePointSprites() override;
    void disablePointSprites() override;

    void setColor(int gray) override;
    void setColor(const ofColor& color, int alpha) override;
    void setColor(const ofColor& color) override;
    void setColor(int r, int g, int b, int a) override;
    void setColor(int r, int g, int b) override;
    void setHexColor(int hexColor) override;

    ofFloatColor& getBgColor() override;
    bool bClearBg() override;
    void background(int r, int g, int b, int a) override;
    void background(int hexColor, float alpha) override;
    void background(float brightness) override;
    void background(const ofColor& c) override;
    void setBackgroundAuto(bool bAuto) override;
    void clear(float brightness, float alpha) override;
    void clear(float r, float g, float b, float a) override;
    void clearAlpha() override;

    void drawLine(float x1, float y1, float z1, float x2, float y2, float z2) override;
    void drawRectangle(float x, float y, float z, float w, float h) override;
    void drawTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                      float z3) override;
    void drawCircle(float x, float y, float z, float radius) override;
    void drawSphere(float x, float y, float z, float radius) override;
    void drawEllipse(float x, float y, float z, float width, float height) override;
    void drawString(std::string text, float x, float y, float z, int mode) override;

    bool rendersPathDirectly() override;

private:
    template <class... A>
    void record(const char* name, const A&... args);
};
