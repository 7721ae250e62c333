#pragma once

#include <deque>
#include <vector>

#include "ofPoint.h"

// An ordered list of points with a closed flag; builds the points of curves
// and arcs. The points are contiguous, so they can go to OpenGL in place.
class ofPolyline {
public:
    ofPolyline();

    // Empties the points and the curve queue and opens the line; the circle
    // table is kept.
    void clear();

    void lineTo(const ofPoint& p);
    void addVertex(const ofPoint& p) { lineTo(p); }
    void addVertices(const ofPoint* verts, int count);

    // Catmull-Rom: draws from the second to the third of the last four points
    // given here.
    void curveTo(const ofPoint& to, int curveResolution = 16);
    void bezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& to, int curveResolution = 16);
    // Starts at p1, not at the last point.
    void quadBezierTo(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
                      int curveResolution = 16);
    void quadBezierTo(const ofPoint& p1, const ofPoint& p2, const ofPoint& p3, int curveResolution = 16);
    // Angles in degrees; equal angles give a full turn.
    void arc(const ofPoint& center, float radiusX, float radiusY, float angleBegin, float angleEnd, bool clockwise,
             int circleResolution = 20);

    void setCircleResolution(int res);
    void simplify(float tolerance = 0.3f);

    void setClosed(bool tf) { closed = tf; }
    bool isClosed() const { return closed; }
    int size() const { return static_cast<int>(points.size()); }
    ofPoint& operator[](int index) { return points[index]; }
    const ofPoint& operator[](int index) const { return points[index]; }
    std::vector<ofPoint>& getVertices() { return points; }
    const std::vector<ofPoint>& getVertices() const { return points; }

private:
    std::vector<ofPoint> points;
    std::deque<ofPoint> curveVertices;
    std::vector<ofPoint> circlePoints;
    bool closed;
};
