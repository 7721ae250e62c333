#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

// Filled shapes drawn through the shape calls and the shared tessellator in a
// real window; pixels are read back exactly (no smoothing, solid colours).
bool red(int x, int y) {
    ofColor c = GLTestWindow::pixel(x, y);
    return c.r == 255 && c.g == 0 && c.b == 0;
}

std::vector<ofPoint> pentagram() {
    std::vector<ofPoint> points;
    for (int k = 0; k < 5; ++k) {
        const double a = -M_PI / 2 + k * 4 * M_PI / 5;
        points.push_back(ofPoint(480 + 300 * (float)std::cos(a), 480 + 300 * (float)std::sin(a)));
    }
    return points;
}

TEST(FillShapes, InsideAndOutsidePixelsOfEachShapeAndRule) {
    struct Case {
        const char* name;
        std::vector<std::vector<ofPoint>> contours;
        ofPolyWindingMode rule;
        std::vector<ofPoint> inside, outside;
    };
    const std::vector<ofPoint> outer = {{100, 100}, {500, 100}, {500, 500}, {100, 500}};
    const std::vector<ofPoint> hole = {{200, 200}, {400, 200}, {400, 400}, {200, 400}};
    const Case cases[] = {
        // A U: the notch between x 200 and 300 above y 200 stays empty.
        {"U",
         {{{100, 100}, {200, 100}, {200, 200}, {300, 200}, {300, 100}, {400, 100}, {400, 300}, {100, 300}}},
         OF_POLY_WINDING_ODD,
         {{150, 150}, {350, 150}, {250, 250}, {101, 299}},
         {{250, 150}, {50, 50}, {450, 200}, {250, 310}}},
        {"hole", {outer, hole}, OF_POLY_WINDING_ODD, {{150, 300}, {450, 300}}, {{300, 300}, {250, 250}, {600, 300}}},
        {"hole the same way", {outer, hole}, OF_POLY_WINDING_NONZERO, {{300, 300}, {150, 300}}, {{600, 300}}},
        // Tips filled, the centre pentagon (winding 2) empty.
        {"pentagram", {pentagram()}, OF_POLY_WINDING_ODD, {{480, 200}}, {{480, 480}, {480, 170}, {480, 760}}},
    };
    GLTestWindow::openScreen(960, 960);
    ofFill();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ofClear(0, 0, 0, 255);
        ofSetColor(255, 0, 0);
        ofPath path;
        path.setUseShapeColor(false);
        path.setPolyWindingMode(c.rule);
        for (const auto& contour : c.contours) {
            for (const ofPoint& p : contour) path.lineTo(p);
            path.close();
        }
        path.draw();
        for (const ofPoint& p : c.inside) EXPECT_TRUE(red(p.x, p.y)) << p.x << "," << p.y;
        for (const ofPoint& p : c.outside) EXPECT_FALSE(red(p.x, p.y)) << p.x << "," << p.y;
    }

    // The shape calls fill through the same road, and a new shape replaces the
    // old fill: a line after a square brings nothing of the square back.
    const std::vector<ofPoint> square = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    const std::vector<ofPoint> line = {{100, 100}, {150, 150}, {200, 200}};
    for (const auto* shape : {&square, &line}) {
        ofClear(0, 0, 0, 255);
        ofBeginShape();
        for (const ofPoint& p : *shape) ofVertex(p.x, p.y);
        ofEndShape(true);
        EXPECT_EQ(red(180, 120), shape == &square);
    }
}

} // namespace
