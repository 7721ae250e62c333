#pragma once

#include <GL/glew.h>

#include <deque>
#include <string>
#include <vector>

#include "ofBaseRenderer.h"
#include "ofGLRendererBatch.h"
#include "ofMatrix4x4.h"
#include "ofMesh.h"
#include "ofPolyline.h"

// Mesh primitive and render modes to their OpenGL values; unknown values are
// logged and give GL_TRIANGLES and GL_FILL.
GLenum ofGetGLPrimitiveMode(int mode);
GLenum ofGetGLPolyMode(int mode);

// Fixed-function OpenGL with client-side vertex arrays. Shapes, lines and
// plain meshes are held back and gathered (ofGLRendererBatch) until a change
// of OpenGL state or outside OpenGL work needs them drawn; with batching off
// every primitive is its own vertex pointer and draw call.
class ofGLRenderer : public ofBaseRenderer {
public:
    ofGLRenderer();
    ~ofGLRenderer() override;

    std::string getType() override { return "GL"; }
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
    void scale(float xAmnt, float yAmnt, float zAmnt) override;
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

    bool rendersPathDirectly() override { return false; }

    // The unit circle at the current circle resolution.
    const ofPolyline& getCircleCache() const { return circlePolyline; }
    const ofMesh& getSphereMesh() const { return sphereMesh; }

    // On by default; off draws each primitive at once, as it comes.
    void setBatching(bool on);
    // Draws what is held back.
    void flush();
    // flush, and forget what is known of OpenGL's state: others change it.
    void flushForDirectGL();

private:
    void drawVertices(std::vector<ofPoint>& points, GLenum primitive, bool smooth);
    void drawShape(std::vector<ofPoint>& points, ofGLRendererBatch::Shape shape, GLenum primitive, bool smooth);
    void drawOutlineOrFill(std::vector<ofPoint>& points, GLenum outline);
    void drawMeshDirect(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals);
    void learnState();
    // Hands the draw to the batch; false when it must be drawn at once.
    bool hold(const ofPoint* points, int count, const ofIndexType* indices, int indexCount,
              ofGLRendererBatch::Shape shape, bool smooth, const ofFloatColor* colours);
    void matrixChanging();

    ofGLRendererBatch batch;
    bool batching = true;
    // What the batch needs of OpenGL, read when first needed after others
    // may have changed it; the model-view is read again after each change.
    bool stateKnown = false;
    bool modelViewKnown = false;
    GLint glMatrixModeNow = GL_MODELVIEW;
    float lineWidthNow = 1;
    ofFloatColor colourNow;

    int coordHandedness;
    std::deque<ofRectangle> viewportHistory;
    std::deque<ofMatrix4x4> modelViewStack;
    std::deque<ofMatrix4x4> projectionStack;
    bool bBackgroundAuto;
    ofFloatColor bgColor;

    std::vector<ofPoint> linePoints;
    std::vector<ofPoint> rectPoints;
    std::vector<ofPoint> triPoints;
    std::vector<ofPoint> circlePoints;
    ofPolyline circlePolyline;
    std::vector<ofPolyline> unitCircles;  // by resolution, each made when first used
    ofMesh sphereMesh;

    int fillFlag;
    bool bSmoothHinted;
    int rectMode;
};
