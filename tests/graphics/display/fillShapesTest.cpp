#include <gtest/gtest.h>

#include <cmath>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

// Filled shapes drawn through the shape calls and the shared tessellator in a
// real window; pixels are read back exactly (no smoothing, solid colours).
class FillShapes : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(960, 960);
        ofFill();
        ofSetColor(255, 0, 0);
    }

    static bool red(int x, int y) {
        ofColor c = GLTestWindow::pixel(x, y);
        return c.r == 255 && c.g == 0 && c.b == 0;
    }
    static bool black(int x, int y) {
        ofColor c = GLTestWindow::pixel(x, y);
        return c.r == 0 && c.g == 0 && c.b == 0;
    }
};

TEST_F(FillShapes, ConcaveShapeFillsInsideOnly) {
    // A U: the notch between x 200 and 300 above y 200 stays empty.
    ofBeginShape();
    ofVertex(100, 100);
    ofVertex(200, 100);
    ofVertex(200, 200);
    ofVertex(300, 200);
    ofVertex(300, 100);
    ofVertex(400, 100);
    ofVertex(400, 300);
    ofVertex(100, 300);
    ofEndShape(true);
    EXPECT_TRUE(red(150, 150));
    EXPECT_TRUE(red(350, 150));
    EXPECT_TRUE(red(250, 250));
    EXPECT_TRUE(red(101, 299));
    EXPECT_TRUE(black(250, 150)); // the notch
    EXPECT_TRUE(black(50, 50));
    EXPECT_TRUE(black(450, 200));
    EXPECT_TRUE(black(250, 310));
}

TEST_F(FillShapes, HoleUnderOddAndFilledUnderNonzero) {
    ofPath path;
    path.setUseShapeColor(false);
    path.lineTo(100, 100);
    path.lineTo(500, 100);
    path.lineTo(500, 500);
    path.lineTo(100, 500);
    path.close();
    path.lineTo(200, 200);
    path.lineTo(400, 200);
    path.lineTo(400, 400);
    path.lineTo(200, 400);
    path.close();
    path.draw();
    EXPECT_TRUE(red(150, 300));
    EXPECT_TRUE(red(450, 300));
    EXPECT_TRUE(black(300, 300)); // the hole
    EXPECT_TRUE(black(250, 250));
    EXPECT_TRUE(black(600, 300));

    ofClear(0, 0, 0, 255);
    path.setPolyWindingMode(OF_POLY_WINDING_NONZERO);
    path.draw();
    EXPECT_TRUE(red(300, 300));
    EXPECT_TRUE(red(150, 300));
    EXPECT_TRUE(black(600, 300));
}

TEST_F(FillShapes, SelfCrossingStarUnderOddLeavesItsCentre) {
    // A pentagram around (480, 480): tips filled, centre pentagon empty.
    ofBeginShape();
    const float cx = 480, cy = 480, r = 300;
    for (int k = 0; k < 5; ++k) {
        const double a = -M_PI / 2 + k * 4 * M_PI / 5;
        ofVertex(cx + r * (float)std::cos(a), cy + r * (float)std::sin(a));
    }
    ofEndShape(true);
    EXPECT_TRUE(black(480, 480));      // centre, winding 2
    EXPECT_TRUE(red(480, 200));        // top tip
    EXPECT_TRUE(black(480, 170));      // above the top tip
    EXPECT_TRUE(black(100, 100));
    EXPECT_TRUE(black(480, 760));      // between the two lower tips
}

TEST_F(FillShapes, NewShapeReplacesTheOldFill) {
    ofBeginShape();
    ofVertex(100, 100);
    ofVertex(200, 100);
    ofVertex(200, 200);
    ofVertex(100, 200);
    ofEndShape(true);
    ofClear(0, 0, 0, 255);
    // A line has no area: nothing of the square comes back.
    ofBeginShape();
    ofVertex(100, 100);
    ofVertex(150, 150);
    ofVertex(200, 200);
    ofEndShape(true);
    EXPECT_TRUE(black(180, 120));
    EXPECT_TRUE(black(120, 180));
}

} // namespace
