#pragma once

#include <GL/glew.h>

#include <cstddef>
#include <vector>

#include "ofColor.h"
#include "ofGraphicsConstants.h"
#include "ofPoint.h"

// Smooth lines for the span of one draw, when smoothing is on.
class ofGLSmoothScope {
public:
    explicit ofGLSmoothScope(bool on);
    ~ofGLSmoothScope();
    ofGLSmoothScope(const ofGLSmoothScope&) = delete;
    ofGLSmoothScope& operator=(const ofGLSmoothScope&) = delete;

private:
    bool active = false;
};

// The OpenGL renderer's draws, held back and gathered into few draw calls.
// Each draw's vertices are moved by the model-view on the CPU and carry its
// colour, so draws of one kind (triangles or lines, smoothed or not) need
// not share a transform or a colour. A draw joins the last gathering of its
// kind when nothing gathered after it may touch the pixels it may touch, so
// every overlapping pair keeps its order; a draw wholly outside the viewport
// is dropped. OpenGL's other state must stay as it was while draws are held:
// the renderer draws them out first.
// The CPU's rounding of moved vertices is not OpenGL's: now and then an edge
// pixel of a turned or scaled shape falls on the other side of the edge, and
// a smoothed line's coverage differs by one step of 255.
class ofGLRendererBatch {
public:
    enum Shape { TRIANGLES, TRIANGLE_STRIP, TRIANGLE_FAN, LINES, LINE_STRIP, LINE_LOOP };

    // OpenGL's model-view, projection and viewport as they are now.
    void setModelView(const float* m);
    void setView(const float* projection, const GLint* viewport);

    // One draw of count points (through indices when given) in one colour,
    // or in the per-point colours when given. lineWidth widens its footprint.
    // False, holding nothing, when the model-view is not affine: the caller
    // then draws it itself.
    bool add(const ofPoint* points, int count, const ofIndexType* indices, int indexCount, Shape shape, bool smooth,
             float lineWidth, const ofFloatColor& colour, const ofFloatColor* colours);

    bool empty() const { return used == 0; }
    // Holds so much that it should be drawn out, whatever comes next.
    bool full() const { return held > maxHeld; }
    bool holdsLines() const;
    // Draws every gathering in order and empties the batch. The caller has
    // the model-view at identity, since the vertices are already moved.
    void draw();

private:
    struct Box {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool touches(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
    };
    struct Group {
        bool lines = false;
        bool smooth = false;
        std::vector<float> positions;
        std::vector<float> colours;
        std::vector<GLuint> indices;
        std::vector<Box> boxes;
        Box bounds;
    };

    bool place(const ofPoint* points, int count, float margin, Box& box);
    size_t groupFor(bool lines, bool smooth, const Box& box);
    static void appendIndices(std::vector<GLuint>& out, GLuint base, const ofIndexType* indices, int n, Shape shape);

    static const size_t maxHeld = 1 << 20;  // vertices

    std::vector<Group> groups;  // reused from frame to frame; the first `used` hold draws
    size_t used = 0;
    size_t held = 0;
    std::vector<float> moved;   // the current draw's vertices after the model-view
    float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double view[4] = {0, 0, 1, 1};
    bool affine = true;
};
