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
// Each draw's vertices are carried to clip space on the CPU, with the
// projection and model-view multiplied first as OpenGL does, and carry its
// colour, so draws of one kind (triangles, separate lines, line strips or
// line loops; smoothed or not) need not share a transform or a colour. Strips
// and loops stay whole: a wide line's joints are drawn as OpenGL draws them.
// A draw joins the last gathering of its kind when nothing gathered after it
// may touch the pixels it may touch, so every overlapping pair keeps its
// order; a draw wholly outside the viewport is dropped. OpenGL's other state
// must stay as it was while draws are held: the renderer draws them out
// first.
class ofGLRendererBatch {
public:
    enum Shape { TRIANGLES, TRIANGLE_STRIP, TRIANGLE_FAN, LINES, LINE_STRIP, LINE_LOOP };

    // OpenGL's model-view, projection and viewport as they are now.
    void setModelView(const float* m);
    void setView(const float* projection, const GLint* viewport);

    // One draw of count points (through indices when given) in one colour,
    // or in the per-point colours when given. lineWidth widens its footprint.
    void add(const ofPoint* points, int count, const ofIndexType* indices, int indexCount, Shape shape, bool smooth,
             float lineWidth, const ofFloatColor& colour, const ofFloatColor* colours);

    bool empty() const { return used == 0; }
    // Holds so much that it should be drawn out, whatever comes next.
    bool full() const { return held > maxHeld; }
    bool holdsLines() const;
    // Draws every gathering in order and empties the batch. The caller has
    // the projection and model-view at identity: the vertices are in clip
    // space already.
    void draw();

private:
    struct Box {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool touches(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
    };
    struct Group {
        GLenum primitive = GL_TRIANGLES;  // GL_TRIANGLES, GL_LINES, GL_LINE_STRIP or GL_LINE_LOOP
        bool smooth = false;
        std::vector<float> positions;  // x, y, z, w
        std::vector<float> colours;
        std::vector<GLuint> indices;
        // Strips and loops: where each one's indices start, and how many.
        std::vector<size_t> starts;
        std::vector<GLsizei> counts;
        std::vector<Box> boxes;
        Box bounds;
    };

    bool place(const ofPoint* points, int count, float margin, Box& box);
    size_t groupFor(GLenum primitive, bool smooth, const Box& box);
    static void appendIndices(Group& group, GLuint base, const ofIndexType* indices, int n, Shape shape);

    static const size_t maxHeld = 1 << 20;  // vertices

    std::vector<Group> groups;  // reused from frame to frame; the first `used` hold draws
    size_t used = 0;
    size_t held = 0;
    std::vector<float> moved;  // the current draw's vertices in clip space
    std::vector<const void*> firsts;  // scratch for the strips' index pointers
    float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float toClip[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // projection times model-view
    bool toClipKnown = true;
    double view[4] = {0, 0, 1, 1};
};
