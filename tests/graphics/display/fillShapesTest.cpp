#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

typedef std::vector<ofPoint> Points;

// Filled paths drawn through the shared tessellator in a real window; pixels
// are read back exactly (no smoothing, solid colours).
TEST(FillShapes, InsideAndOutsidePixelsOfEachShapeAndRule) {
    Points star;
    for (int k = 0; k < 5; ++k) {
        const double a = -M_PI / 2 + k * 4 * M_PI / 5;
        star.push_back(ofPoint(480 + 300 * (float)std::cos(a), 480 + 300 * (float)std::sin(a)));
    }
    const Points outer = {{100, 100}, {500, 100}, {500, 500}, {100, 500}};
    const Points hole = {{200, 200}, {400, 200}, {400, 400}, {200, 400}};
    const struct {
        std::vector<Points> contours;
        ofPolyWindingMode rule;
        Points red, black;
    } cases[] = {
        // A U: the notch between x 200 and 300 above y 200 stays empty.
        {{{{100, 100}, {200, 100}, {200, 200}, {300, 200}, {300, 100}, {400, 100}, {400, 300}, {100, 300}}},
         OF_POLY_WINDING_ODD, {{150, 150}, {350, 150}, {250, 250}, {101, 299}}, {{250, 150}, {50, 50}, {250, 310}}},
        {{outer, hole}, OF_POLY_WINDING_ODD, {{150, 300}, {450, 300}}, {{300, 300}, {600, 300}}},
        {{outer, hole}, OF_POLY_WINDING_NONZERO, {{300, 300}}, {{600, 300}}},
        // Tips filled, the centre pentagon (winding 2) empty.
        {{star}, OF_POLY_WINDING_ODD, {{480, 200}}, {{480, 480}, {480, 170}, {480, 760}}},
    };
    GLTestWindow::openScreen(960, 960);
    ofFill();
    ofSetColor(255, 0, 0);
    for (const auto& c : cases) {
        ofClear(0, 0, 0, 255);
        ofPath path;
        path.setUseShapeColor(false);
        path.setPolyWindingMode(c.rule);
        for (const Points& contour : c.contours) {
            for (const ofPoint& p : contour) path.lineTo(p);
            path.close();
        }
        path.draw();
        for (const ofPoint& p : c.red) EXPECT_EQ(GLTestWindow::colours(p.x, p.y, 1), "R") << p.x << "," << p.y;
        for (const ofPoint& p : c.black) EXPECT_EQ(GLTestWindow::colours(p.x, p.y, 1), ".") << p.x << "," << p.y;
    }
}

}  // namespace
