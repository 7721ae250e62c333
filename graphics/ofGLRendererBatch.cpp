#include "ofGLRendererBatch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How many gatherings back a draw may look for one of its kind; enough for
// fills and outlines taking turns, short enough to keep the search cheap.
const size_t lookBack = 4;

}  // namespace

ofGLSmoothScope::ofGLSmoothScope(bool on) : active(on) {
    if (!active) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

ofGLSmoothScope::~ofGLSmoothScope() {
    if (active) glPopAttrib();
}

void ofGLRendererBatch::setModelView(const float* m) {
    std::copy(m, m + 16, modelView);
    // Vertices are kept as x, y, z: a model-view with a w row cannot move them.
    affine = m[3] == 0 && m[7] == 0 && m[11] == 0 && m[15] == 1;
}

void ofGLRendererBatch::setView(const float* p, const GLint* viewport) {
    for (int i = 0; i < 16; ++i) projection[i] = p[i];
    for (int i = 0; i < 4; ++i) view[i] = viewport[i];
}

bool ofGLRendererBatch::holdsLines() const {
    for (size_t i = 0; i < used; ++i)
        if (groups[i].lines) return true;
    return false;
}

// Moves the points by the model-view into `moved` and finds the window
// rectangle the draw may touch (the projected corners of the moved points'
// bounding box bound them all while the box lies before the eye); false when
// that lies outside the viewport.
bool ofGLRendererBatch::place(const ofPoint* points, int count, float margin, Box& box) {
    const float* m = modelView;
    moved.resize(static_cast<size_t>(count) * 3);
    float* out = moved.data();
    const float inf = std::numeric_limits<float>::infinity();
    float lo[3] = {inf, inf, inf}, hi[3] = {-inf, -inf, -inf};
    float check = 0;
    for (int i = 0; i < count; ++i, out += 3) {
        const float x = points[i].x, y = points[i].y, z = points[i].z;
        out[0] = m[0] * x + m[4] * y + m[8] * z + m[12];
        out[1] = m[1] * x + m[5] * y + m[9] * z + m[13];
        out[2] = m[2] * x + m[6] * y + m[10] * z + m[14];
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], out[k]);
            hi[k] = std::max(hi[k], out[k]);
        }
        check += out[0] + out[1] + out[2];
    }

    const float big = std::numeric_limits<float>::max();
    box = Box{-big, -big, big, big};
    // Infinite or NaN coordinates leave no bound to give.
    if (!std::isfinite(check)) return true;
    const double* p = projection;
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    const int corners = lo[2] == hi[2] ? 4 : 8;
    for (int c = 0; c < corners; ++c) {
        const double ex = (c & 1) ? hi[0] : lo[0], ey = (c & 2) ? hi[1] : lo[1], ez = (c & 4) ? hi[2] : lo[2];
        const double cw = p[3] * ex + p[7] * ey + p[11] * ez + p[15];
        // At or behind the eye the projection folds over.
        if (!(cw > 1e-6)) return true;
        const double wx = view[0] + ((p[0] * ex + p[4] * ey + p[8] * ez + p[12]) / cw + 1) * view[2] / 2;
        const double wy = view[1] + ((p[1] * ex + p[5] * ey + p[9] * ez + p[13]) / cw + 1) * view[3] / 2;
        x0 = std::min(x0, wx);
        x1 = std::max(x1, wx);
        y0 = std::min(y0, wy);
        y1 = std::max(y1, wy);
    }
    if (std::max({-x0, x1, -y0, y1}) > 1e30) return true;
    box = Box{static_cast<float>(x0 - margin), static_cast<float>(y0 - margin), static_cast<float>(x1 + margin),
              static_cast<float>(y1 + margin)};
    const Box viewport{static_cast<float>(view[0]), static_cast<float>(view[1]), static_cast<float>(view[0] + view[2]),
                       static_cast<float>(view[1] + view[3])};
    return box.touches(viewport);
}

size_t ofGLRendererBatch::groupFor(bool lines, bool smooth, const Box& box) {
    size_t found = used;
    for (size_t back = 0; back < lookBack && back < used; ++back) {
        const Group& g = groups[used - 1 - back];
        if (g.lines == lines && g.smooth == smooth) {
            found = used - 1 - back;
            break;
        }
    }
    // Joining an earlier gathering draws this before everything after it.
    for (size_t k = found + 1; k < used && found < used; ++k) {
        const Group& g = groups[k];
        if (!g.bounds.touches(box)) continue;
        for (const Box& b : g.boxes)
            if (b.touches(box)) {
                found = used;
                break;
            }
    }
    if (found < used) return found;

    if (used == groups.size()) groups.emplace_back();
    Group& g = groups[used];
    g.lines = lines;
    g.smooth = smooth;
    g.positions.clear();
    g.colours.clear();
    g.indices.clear();
    g.boxes.clear();
    g.bounds = box;
    return used++;
}

// The primitives of one shape as separate triangles or line segments, in
// the order and with the corners OpenGL itself would take.
void ofGLRendererBatch::appendIndices(std::vector<GLuint>& out, GLuint base, const ofIndexType* indices, int n,
                                      Shape shape) {
    int primitives = 0;
    switch (shape) {
        case TRIANGLES: primitives = n / 3 * 3; break;
        case TRIANGLE_STRIP:
        case TRIANGLE_FAN: primitives = std::max(n - 2, 0) * 3; break;
        case LINES: primitives = n / 2 * 2; break;
        case LINE_STRIP: primitives = std::max(n - 1, 0) * 2; break;
        case LINE_LOOP: primitives = n >= 2 ? n * 2 : 0; break;
    }
    const size_t first = out.size();
    out.resize(first + static_cast<size_t>(primitives));
    GLuint* o = out.data() + first;
    auto at = [&](int i) { return base + (indices ? indices[i] : static_cast<GLuint>(i)); };
    switch (shape) {
        case TRIANGLES:
        case LINES:
            for (int i = 0; i < primitives; ++i) *o++ = at(i);
            break;
        case TRIANGLE_STRIP:
            for (int i = 0; i + 2 < n; ++i) {
                *o++ = at(i % 2 == 0 ? i : i + 1);
                *o++ = at(i % 2 == 0 ? i + 1 : i);
                *o++ = at(i + 2);
            }
            break;
        case TRIANGLE_FAN:
            for (int i = 1; i + 1 < n; ++i) {
                *o++ = at(0);
                *o++ = at(i);
                *o++ = at(i + 1);
            }
            break;
        case LINE_STRIP:
        case LINE_LOOP:
            for (int i = 0; i + 1 < n; ++i) {
                *o++ = at(i);
                *o++ = at(i + 1);
            }
            if (shape == LINE_LOOP && n >= 2) {
                *o++ = at(n - 1);
                *o++ = at(0);
            }
            break;
    }
}

bool ofGLRendererBatch::add(const ofPoint* points, int count, const ofIndexType* indices, int indexCount, Shape shape,
                            bool smooth, float lineWidth, const ofFloatColor& colour, const ofFloatColor* colours) {
    const bool lines = shape == LINES || shape == LINE_STRIP || shape == LINE_LOOP;
    const int n = indices ? indexCount : count;
    const int least = lines ? 2 : 3;
    if (!affine) return false;
    if (count <= 0 || n < least) return true;

    // A pixel of slack for rounding; lines reach half their width (and the
    // smoothing fringe) beyond their ends and sides.
    const float margin = lines ? std::max(lineWidth, 1.0f) / 2 + (smooth ? 3.0f : 2.0f) : 2.0f;
    Box box;
    if (!place(points, count, margin, box)) return true;

    Group& g = groups[groupFor(lines, smooth, box)];
    const GLuint base = static_cast<GLuint>(g.positions.size() / 3);
    g.positions.insert(g.positions.end(), moved.begin(), moved.end());
    held += static_cast<size_t>(count);
    const size_t c = g.colours.size();
    g.colours.resize(c + static_cast<size_t>(count) * 4);
    float* col = g.colours.data() + c;
    for (int i = 0; i < count; ++i, col += 4) {
        const ofFloatColor& v = colours ? colours[i] : colour;
        col[0] = v.r;
        col[1] = v.g;
        col[2] = v.b;
        col[3] = v.a;
    }
    appendIndices(g.indices, base, indices, n, shape);
    g.boxes.push_back(box);
    g.bounds = Box{std::min(g.bounds.x0, box.x0), std::min(g.bounds.y0, box.y0), std::max(g.bounds.x1, box.x1),
                   std::max(g.bounds.y1, box.y1)};
    return true;
}

void ofGLRendererBatch::draw() {
    if (used == 0) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (size_t i = 0; i < used; ++i) {
        const Group& g = groups[i];
        if (g.indices.empty()) continue;
        ofGLSmoothScope smoothing(g.smooth);
        glVertexPointer(3, GL_FLOAT, 0, g.positions.data());
        glColorPointer(4, GL_FLOAT, 0, g.colours.data());
        glDrawElements(g.lines ? GL_LINES : GL_TRIANGLES, static_cast<GLsizei>(g.indices.size()), GL_UNSIGNED_INT,
                       g.indices.data());
    }
    glDisableClientState(GL_COLOR_ARRAY);
    used = 0;
    held = 0;
}
