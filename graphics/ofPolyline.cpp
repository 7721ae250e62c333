#include "ofPolyline.h"

#include <cmath>
#include <utility>

#include "ofMath.h"

namespace {

const float kTwoPi = 6.28318530717958647693f;
const float kArcEpsilon = 0.0001f;

// Curves divide by their resolution (or one less): anything below 2 would
// divide by zero or draw nothing sensible.
int curveSteps(int resolution) {
    return resolution < 2 ? 2 : resolution;
}

float dot(const ofPoint& a, const ofPoint& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

ofPoint minus(const ofPoint& a, const ofPoint& b) {
    return ofPoint(a.x - b.x, a.y - b.y, a.z - b.z);
}

float distanceSquared(const ofPoint& a, const ofPoint& b) {
    const ofPoint d = minus(a, b);
    return dot(d, d);
}

float wrapAngle(float angle) {
    if (angle < 0 || angle > kTwoPi) return angle - kTwoPi * std::floor(angle / kTwoPi);
    return angle;
}

}  // namespace

ofPolyline::ofPolyline() : closed(false) {
    clear();
}

void ofPolyline::clear() {
    points.clear();
    curveVertices.clear();
    closed = false;
}

void ofPolyline::lineTo(const ofPoint& p) {
    curveVertices.clear();
    points.push_back(p);
}

void ofPolyline::addVertices(const ofPoint* verts, int count) {
    curveVertices.clear();
    if (count <= 0 || verts == nullptr) return;
    points.insert(points.end(), verts, verts + count);
}

void ofPolyline::curveTo(const ofPoint& to, int curveResolution) {
    curveVertices.push_back(to);
    if (curveVertices.size() != 4) return;

    const int res = curveSteps(curveResolution);
    const ofPoint p0 = curveVertices[0], p1 = curveVertices[1], p2 = curveVertices[2], p3 = curveVertices[3];
    for (int i = 0; i < res; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(res - 1);
        const float t2 = t * t;
        const float t3 = t2 * t;
        auto axis = [&](float a0, float a1, float a2, float a3) {
            return 0.5f * ((2 * a1) + (-a0 + a2) * t + (2 * a0 - 5 * a1 + 4 * a2 - a3) * t2 +
                           (-a0 + 3 * a1 - 3 * a2 + a3) * t3);
        };
        points.push_back(ofPoint(axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y),
                                 axis(p0.z, p1.z, p2.z, p3.z)));
    }
    curveVertices.pop_front();
}

void ofPolyline::bezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& to, int curveResolution) {
    curveVertices.clear();
    if (points.empty()) return;

    const int res = curveSteps(curveResolution);
    const ofPoint p0 = points.back();
    const float cx = 3 * (cp1.x - p0.x), cy = 3 * (cp1.y - p0.y), cz = 3 * (cp1.z - p0.z);
    const float bx = 3 * (cp2.x - cp1.x) - cx, by = 3 * (cp2.y - cp1.y) - cy, bz = 3 * (cp2.z - cp1.z) - cz;
    const float ax = to.x - p0.x - cx - bx, ay = to.y - p0.y - cy - by, az = to.z - p0.z - cz - bz;
    for (int i = 0; i < res; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(res - 1);
        const float t2 = t * t;
        const float t3 = t2 * t;
        points.push_back(ofPoint(ax * t3 + bx * t2 + cx * t + p0.x, ay * t3 + by * t2 + cy * t + p0.y,
                                 az * t3 + bz * t2 + cz * t + p0.z));
    }
}

void ofPolyline::quadBezierTo(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                              float z3, int curveResolution) {
    curveVertices.clear();
    const int res = curveSteps(curveResolution);
    for (int i = 0; i <= res; ++i) {
        const double t = static_cast<double>(i) / res;
        const double a = (1 - t) * (1 - t);
        const double b = 2 * t * (1 - t);
        const double c = t * t;
        points.push_back(ofPoint(static_cast<float>(a * x1 + b * x2 + c * x3),
                                 static_cast<float>(a * y1 + b * y2 + c * y3),
                                 static_cast<float>(a * z1 + b * z2 + c * z3)));
    }
}

void ofPolyline::quadBezierTo(const ofPoint& p1, const ofPoint& p2, const ofPoint& p3, int curveResolution) {
    quadBezierTo(p1.x, p1.y, p1.z, p2.x, p2.y, p2.z, p3.x, p3.y, p3.z, curveResolution);
}

void ofPolyline::setCircleResolution(int res) {
    if (res <= 1 || res == static_cast<int>(circlePoints.size())) return;
    circlePoints.resize(res);
    const float step = kTwoPi / static_cast<float>(res);
    float angle = 0;
    for (int i = 0; i < res; ++i) {
        circlePoints[i].set(std::cos(angle), std::sin(angle), 0);
        angle += step;
    }
}

void ofPolyline::arc(const ofPoint& center, float radiusX, float radiusY, float angleBegin, float angleEnd,
                     bool clockwise, int circleResolution) {
    if (circleResolution < 2) circleResolution = 2;
    setCircleResolution(circleResolution);
    points.reserve(points.size() + circleResolution);

    const int n = static_cast<int>(circlePoints.size());
    const float segment = kTwoPi / static_cast<float>(n);

    const float begin = wrapAngle(ofDegToRad(angleBegin));
    float end = wrapAngle(ofDegToRad(angleEnd));
    while (end <= begin) end += kTwoPi;

    const float d = clockwise ? end - begin : begin - end;
    const float delta = std::atan2(std::sin(d), std::cos(d));
    float remaining = delta;
    if (delta < 0 || std::fabs(delta) < kArcEpsilon) remaining += kTwoPi;

    const int stepDir = clockwise ? 1 : -1;
    int index = 0;
    bool first = true;
    while (remaining > 0) {
        ofPoint p;
        if (first) {
            first = false;
            p.set(std::cos(begin), std::sin(begin), 0);
            const float ratio = begin / kTwoPi * static_cast<float>(n);
            index = static_cast<int>(clockwise ? std::ceil(ratio) : std::floor(ratio));
            const float toTable = clockwise ? index * segment - begin : begin - index * segment;
            float firstStep = std::atan2(std::sin(toTable), std::cos(toTable));
            if (std::fabs(firstStep) < kArcEpsilon) {
                index += stepDir;
                firstStep = segment;
            }
            remaining -= firstStep;
        } else {
            p = circlePoints[index];
            index += stepDir;
            remaining -= segment;
        }
        if (clockwise) {
            index %= n;
        } else if (index < 0) {
            index += n;
        }
        points.push_back(ofPoint(p.x * radiusX + center.x, p.y * radiusY + center.y, center.z));
        if (remaining < kArcEpsilon) {
            points.push_back(ofPoint(std::cos(end) * radiusX + center.x, std::sin(end) * radiusY + center.y,
                                     center.z));
            break;
        }
    }
}

void ofPolyline::simplify(float tolerance) {
    if (points.empty()) return;
    const float tol2 = tolerance * tolerance;

    // Vertex reduction: drop points closer than the tolerance to the last kept.
    std::vector<ofPoint> reduced;
    reduced.reserve(points.size());
    reduced.push_back(points[0]);
    size_t lastKept = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        if (distanceSquared(points[i], points[lastKept]) < tol2) continue;
        reduced.push_back(points[i]);
        lastKept = i;
    }
    if (lastKept != points.size() - 1) reduced.push_back(points.back());

    // Douglas-Peucker over the reduced points; an explicit stack keeps long
    // outlines off the call stack.
    std::vector<char> marked(reduced.size(), 0);
    marked.front() = 1;
    marked.back() = 1;
    std::vector<std::pair<size_t, size_t>> ranges;
    ranges.push_back(std::make_pair(size_t(0), reduced.size() - 1));
    while (!ranges.empty()) {
        const size_t j = ranges.back().first;
        const size_t k = ranges.back().second;
        ranges.pop_back();
        if (k <= j + 1) continue;
        const ofPoint u = minus(reduced[k], reduced[j]);
        const float cu = dot(u, u);
        size_t farthest = j;
        float farthest2 = 0;
        for (size_t i = j + 1; i < k; ++i) {
            const ofPoint w = minus(reduced[i], reduced[j]);
            const float cw = dot(w, u);
            float d2;
            if (cw <= 0) {
                d2 = distanceSquared(reduced[i], reduced[j]);
            } else if (cu <= cw) {
                d2 = distanceSquared(reduced[i], reduced[k]);
            } else {
                const float b = cw / cu;
                const ofPoint base(reduced[j].x + b * u.x, reduced[j].y + b * u.y, reduced[j].z + b * u.z);
                d2 = distanceSquared(reduced[i], base);
            }
            if (d2 <= farthest2) continue;
            farthest = i;
            farthest2 = d2;
        }
        if (farthest2 > tol2) {
            marked[farthest] = 1;
            ranges.push_back(std::make_pair(farthest, k));
            ranges.push_back(std::make_pair(j, farthest));
        }
    }

    points.clear();
    for (size_t i = 0; i < reduced.size(); ++i) {
        if (marked[i]) points.push_back(reduced[i]);
    }
}
