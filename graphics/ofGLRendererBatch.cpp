#include "ofGLRendererBatch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How many gatherings back a draw may look for one of its kind; enough for
// fills and the three kinds of outline taking turns, short enough to keep
// the search cheap.
const size_t lookBack = 6;

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
    toClipKnown = false;
}

void ofGLRendererBatch::setView(const float* p, const GLint* viewport) {
    std::copy(p, p + 16, projection);
    for (int i = 0; i < 4; ++i) view[i] = viewport[i];
    toClipKnown = false;
}

bool ofGLRendererBatch::holdsLines() const {
    for (size_t i = 0; i < used; ++i)
        if (groups[i].primitive != GL_TRIANGLES) return true;
    return false;
}

// Carries the points to clip space into `moved` and finds the window
// rectangle the draw may touch; false when that lies outside the viewport.
// The product of the two matrices comes first and each vertex is moved by it
// in float, as OpenGL moves them: a line lying on an edge of the view volume
// must fall on the same side of it as when OpenGL moves it, or it is clipped
// away whole.
bool ofGLRendererBatch::place(const ofPoint* points, int count, float margin, Box& box) {
    float* m = toClip;
    if (!toClipKnown) {
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row) {
                const float* mv = modelView + col * 4;
                m[col * 4 + row] = projection[row] * mv[0] + projection[4 + row] * mv[1] +
                                   projection[8 + row] * mv[2] + projection[12 + row] * mv[3];
            }
        toClipKnown = true;
    }
    moved.resize(static_cast<size_t>(count) * 4);
    float* out = moved.data();
    const double inf = std::numeric_limits<double>::infinity();
    double x0 = inf, y0 = inf, x1 = -inf, y1 = -inf;
    bool bounded = true;
    for (int i = 0; i < count; ++i, out += 4) {
        const float x = points[i].x, y = points[i].y, z = points[i].z;
        for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
        // At or behind the eye the projection folds over; infinite or NaN
        // coordinates give no bound either.
        const double w = out[3];
        if (!(w > 1e-6) || !std::isfinite(out[0]) || !std::isfinite(out[1])) {
            bounded = false;
            continue;
        }
        const double wx = view[0] + (out[0] / w + 1) * view[2] / 2;
        const double wy = view[1] + (out[1] / w + 1) * view[3] / 2;
        x0 = std::min(x0, wx);
        x1 = std::max(x1, wx);
        y0 = std::min(y0, wy);
        y1 = std::max(y1, wy);
    }

    const float big = std::numeric_limits<float>::max();
    box = Box{-big, -big, big, big};
    if (!bounded || std::max({-x0, x1, -y0, y1}) > 1e30) return true;
    box = Box{static_cast<float>(x0 - margin), static_cast<float>(y0 - margin), static_cast<float>(x1 + margin),
              static_cast<float>(y1 + margin)};
    const Box viewport{static_cast<float>(view[0]), static_cast<float>(view[1]), static_cast<float>(view[0] + view[2]),
                       static_cast<float>(view[1] + view[3])};
    return box.touches(viewport);
}

size_t ofGLRendererBatch::groupFor(GLenum primitive, bool smooth, const Box& box) {
    size_t found = used;
    for (size_t back = 0; back < lookBack && back < used; ++back) {
        const Group& g = groups[used - 1 - back];
        if (g.primitive == primitive && g.smooth == smooth) {
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
    g.primitive = primitive;
    g.smooth = smooth;
    g.positions.clear();
    g.colours.clear();
    g.indices.clear();
    g.starts.clear();
    g.counts.clear();
    g.boxes.clear();
    g.bounds = box;
    return used++;
}

// Triangles and separate lines go in as single primitives, in the order and
// with the corners OpenGL itself would take; a strip or loop goes in whole.
void ofGLRendererBatch::appendIndices(Group& group, GLuint base, const ofIndexType* indices, int n, Shape shape) {
    std::vector<GLuint>& out = group.indices;
    int total = 0;
    switch (shape) {
        case TRIANGLES: total = n / 3 * 3; break;
        case TRIANGLE_STRIP:
        case TRIANGLE_FAN: total = std::max(n - 2, 0) * 3; break;
        case LINES: total = n / 2 * 2; break;
        case LINE_STRIP:
        case LINE_LOOP: total = n; break;
    }
    const size_t first = out.size();
    out.resize(first + static_cast<size_t>(total));
    GLuint* o = out.data() + first;
    auto at = [&](int i) { return base + (indices ? indices[i] : static_cast<GLuint>(i)); };
    switch (shape) {
        case TRIANGLES:
        case LINES:
        case LINE_STRIP:
        case LINE_LOOP:
            for (int i = 0; i < total; ++i) *o++ = at(i);
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
    }
    if (shape == LINE_STRIP || shape == LINE_LOOP) {
        group.starts.push_back(first);
        group.counts.push_back(static_cast<GLsizei>(total));
    }
}

void ofGLRendererBatch::add(const ofPoint* points, int count, const ofIndexType* indices, int indexCount, Shape shape,
                            bool smooth, float lineWidth, const ofFloatColor& colour, const ofFloatColor* colours) {
    const bool lines = shape == LINES || shape == LINE_STRIP || shape == LINE_LOOP;
    const int n = indices ? indexCount : count;
    const int least = lines ? 2 : 3;
    if (count <= 0 || n < least) return;

    // A pixel of slack for rounding; lines reach half their width (and the
    // smoothing fringe) beyond their ends and sides.
    const float margin = lines ? std::max(lineWidth, 1.0f) / 2 + (smooth ? 3.0f : 2.0f) : 2.0f;
    Box box;
    if (!place(points, count, margin, box)) return;

    const GLenum primitive = shape == LINES ? GL_LINES
                             : shape == LINE_STRIP ? GL_LINE_STRIP
                             : shape == LINE_LOOP  ? GL_LINE_LOOP
                                                   : GL_TRIANGLES;
    Group& g = groups[groupFor(primitive, smooth, box)];
    const GLuint base = static_cast<GLuint>(g.positions.size() / 4);
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
    appendIndices(g, base, indices, n, shape);
    g.boxes.push_back(box);
    g.bounds = Box{std::min(g.bounds.x0, box.x0), std::min(g.bounds.y0, box.y0), std::max(g.bounds.x1, box.x1),
                   std::max(g.bounds.y1, box.y1)};
}

void ofGLRendererBatch::draw() {
    if (used == 0) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (size_t i = 0; i < used; ++i) {
        const Group& g = groups[i];
        if (g.indices.empty()) continue;
        ofGLSmoothScope smoothing(g.smooth);
        glVertexPointer(4, GL_FLOAT, 0, g.positions.data());
        glColorPointer(4, GL_FLOAT, 0, g.colours.data());
        if (g.counts.empty()) {
            glDrawElements(g.primitive, static_cast<GLsizei>(g.indices.size()), GL_UNSIGNED_INT, g.indices.data());
            continue;
        }
        firsts.resize(g.starts.size());
        for (size_t k = 0; k < g.starts.size(); ++k) firsts[k] = g.indices.data() + g.starts[k];
        if (glMultiDrawElements) {
            glMultiDrawElements(g.primitive, g.counts.data(), GL_UNSIGNED_INT, firsts.data(),
                                static_cast<GLsizei>(firsts.size()));
        } else {
            for (size_t k = 0; k < firsts.size(); ++k) glDrawElements(g.primitive, g.counts[k], GL_UNSIGNED_INT, firsts[k]);
        }
    }
    glDisableClientState(GL_COLOR_ARRAY);
    used = 0;
    held = 0;
}
