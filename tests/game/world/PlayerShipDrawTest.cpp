#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "PixelFont.h"
#include "PlayerShip.h"
#include "RecorderScope.h"
#include "ShipType.h"
#include "ofMath.h"
#include "ofTestClock.h"

namespace {

const float PI = 3.14159265358979f;

const Calls NORMAL_FULL = {
    "pushMatrix()",
    "translate(0,5,0)",
    "setColor(10,20,30,150)",
    "drawTriangle(0,10,0,10,-10,0,-10,-10,0)",
    "drawLine(-10,-10,0,-14,-18,0)",
    "drawLine(10,-10,0,14,-18,0)",
    "setFillMode(1)",
    "drawTriangle(0,10,0,10,-10,0,-10,-10,0)",
    "setFillMode(0)",
    "setColor(10,20,30,255)",
    "drawLine(-5,0,0,0,10,0)",
    "drawLine(5,0,0,0,10,0)",
    "popMatrix()",
};

class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        ship.setup(ofColor(10, 20, 30), false, false, nullptr, nullptr);
        ship.setShipType(SHIP_NORMAL);
        ship.reset(false);
        rec.take();
    }

    Calls drawn(int type, float f = 1.0f) {
        ship.setShipType(type);
        ship.draw(f);
        return rec.take();
    }

    RecorderScope rec;
    PlayerShip ship;
};

}  // namespace

TEST_F(ShipDraw, NormalShapeAndItsGreyAndFadedForms) {
    EXPECT_EQ(drawn(SHIP_NORMAL), NORMAL_FULL);
    // Out-of-range types fall back to the Normal shape.
    EXPECT_EQ(drawn(99), NORMAL_FULL);

    ship.drawShapeType0(true, 0.5f);
    Calls grey = rec.take();
    EXPECT_EQ(grey[2], "setColor(150,150,150,75)");
    EXPECT_EQ(grey[9], "setColor(150,150,150,127)");

    Calls fast = drawn(SHIP_FAST);
    EXPECT_EQ(Calls(fast.begin(), fast.begin() + 2), (Calls{"pushMatrix()", "scale(0.7,1.5,1)"}));
    EXPECT_EQ(Calls(fast.begin() + 2, fast.end() - 1), NORMAL_FULL);
    EXPECT_EQ(fast.back(), "popMatrix()");
}

TEST_F(ShipDraw, HeavyShowOffAndJellyShapes) {
    EXPECT_EQ(drawn(SHIP_HEAVY), (Calls{"setColor(10,20,30,150)", "setFillMode(1)", "rendersPathDirectly()",
                                        "drawMesh(vertices=6,indices=12,false,false,false)", "setFillMode(0)",
                                        "drawRectangle(-8,2,0,16,8)", "drawLine(-8,2,0,-18,-18,0)",
                                        "drawLine(8,2,0,18,-18,0)", "drawLine(-14,-10,0,14,-10,0)",
                                        "setColor(10,20,30,255)", "drawRectangle(-8,2,0,16,8)"}));
    ASSERT_EQ(rec.renderer->drawnMeshes.size(), 0u);  // taken with the calls

    // Show-Off: the Normal shape without fins.
    EXPECT_EQ(drawn(SHIP_SHOW_OFF),
              (Calls{"pushMatrix()", "translate(0,5,0)", "setColor(10,20,30,150)",
                     "drawTriangle(0,10,0,10,-10,0,-10,-10,0)", "setFillMode(1)",
                     "drawTriangle(0,10,0,10,-10,0,-10,-10,0)", "setFillMode(0)", "setColor(10,20,30,255)",
                     "drawLine(-5,0,0,0,10,0)", "drawLine(5,0,0,0,10,0)", "popMatrix()"}));

    ship.setShipType(SHIP_JELLY);
    ship.draw(1.0f);
    ASSERT_EQ(rec.renderer->drawnPolylines.size(), 1u);
    const ofPolyline arc = rec.renderer->drawnPolylines[0];
    EXPECT_EQ(rec.take(), (Calls{"setCircleResolution(20)", "setColor(10,20,30,150)", "setFillMode(1)",
                                 "drawCircle(0,0,0,10)", "setFillMode(0)", "drawCircle(0,0,0,10)",
                                 "drawLine(-8,-6,0,-14,-18,0)", "drawLine(8,-6,0,14,-18,0)",
                                 "setColor(10,20,30,255)", "rendersPathDirectly()", "setLineWidth(1)",
                                 "drawPolyline(points=8,open)", "setLineWidth(1)"}));
    // The highlight arc runs from +x to seven eighths of a half turn.
    EXPECT_NEAR(arc[0].x, 10, 1e-5f);
    EXPECT_NEAR(arc[0].y, 0, 1e-5f);
    EXPECT_NEAR(arc[7].x, 10 * std::cos(7 * PI / 8), 1e-4f);
    EXPECT_NEAR(arc[7].y, 10 * std::sin(7 * PI / 8), 1e-4f);
}

TEST_F(ShipDraw, HardyRingShowsUntilTheExtraHitIsTaken) {
    Calls hardy = drawn(SHIP_HARDY);
    EXPECT_EQ(hardy[1], "scale(1.3,0.9,1)");
    EXPECT_EQ(Calls(hardy.end() - 4, hardy.end()),
              (Calls{"setCircleResolution(15)", "setFillMode(0)", "setColor(10,20,30,150)", "drawCircle(0,0,0,20)"}));
    ship.hardyHitTaken = true;
    ship.draw(1.0f);
    EXPECT_EQ(rec.take().back(), "popMatrix()");
}

TEST_F(ShipDraw, HyperShimmersAsTwoHalfAlphaCopies) {
    ofSeedRandom(11);
    float x1 = ofRandomRange(-9, 9), y1 = ofRandom(9);
    float x2 = ofRandomRange(-9, 9), y2 = ofRandom(9);
    ofSeedRandom(11);
    Calls hyper = drawn(SHIP_HYPER);
    ASSERT_EQ(hyper.size(), 2 * (2 + NORMAL_FULL.size() + 1));
    EXPECT_EQ(hyper[1], "translate(" + g(x1) + "," + g(y1) + ",0)");
    EXPECT_EQ(hyper[4], "setColor(10,20,30,75)");
    EXPECT_EQ(hyper[11], "setColor(10,20,30,127)");
    EXPECT_EQ(hyper[17], "translate(" + g(x2) + "," + g(y2) + ",0)");
}

TEST_F(ShipDraw, CascadeFlankIsAQuarterCircle) {
    ship.setShipType(SHIP_CASCADE);
    ship.draw(1.0f);
    ASSERT_EQ(rec.renderer->drawnPolylines.size(), 1u);
    const ofPolyline outline = rec.renderer->drawnPolylines[0];
    Calls calls = rec.take();
    ASSERT_EQ(outline.size(), 10u);
    EXPECT_TRUE(outline.isClosed());
    EXPECT_EQ(outline[0], ofPoint(-10, -10));
    for (int k = 1; k <= 7; ++k) {
        // Every flank point is 20 from (10, −10).
        EXPECT_NEAR(std::hypot(outline[k].x - 10, outline[k].y + 10), 20, 1e-4f) << k;
    }
    EXPECT_NEAR(outline[1].x, 10 - 20 * std::cos(PI / 16), 1e-4f);
    EXPECT_EQ(outline[8], ofPoint(10, 10));
    EXPECT_EQ(outline[9], ofPoint(10, -10));
    // Highlight: closing segment, six arc segments, then the tail to (−10, −10).
    EXPECT_EQ(calls[calls.size() - 10], "setColor(10,20,30,255)");
    EXPECT_EQ(calls[calls.size() - 9].substr(0, 20), "drawLine(10,10,0,6.0");
    EXPECT_EQ(calls[calls.size() - 2].substr(0, 20), "drawLine(-10,-10,0,-");
    EXPECT_EQ(calls.back(), "popMatrix()");
}

TEST_F(ShipDraw, RobotHexagonSnapsByTruncatedHeading) {
    ship.setShipType(SHIP_ROBOT);
    struct Case {
        float heading, baseAngle;
    };
    const Case cases[] = {
        {0.0f, -PI / 2},       // trunc(−2) = −2
        {-1.0f, -PI / 2},      // trunc(−2.95) = −2
        {1.0f, -PI / 6},       // trunc(−1.05) = −1, not floor's −2
        {2.5f, PI / 6},        // trunc(0.39) = 0
        {3.0f, PI / 6},
        {-3.0f, -7 * PI / 6},  // trunc(−4.86) = −4
    };
    for (const Case& c : cases) {
        ship.heading = c.heading;
        ship.draw(1.0f);
        ASSERT_EQ(rec.renderer->drawnPolylines.size(), 2u);
        const ofPolyline hexagon = rec.renderer->drawnPolylines[0];
        const ofPolyline highlight = rec.renderer->drawnPolylines[1];
        rec.take();
        ASSERT_EQ(hexagon.size(), 6u);
        EXPECT_TRUE(hexagon.isClosed());
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(hexagon[k].x, 15 * std::cos(c.baseAngle + k * PI / 3), 1e-4f) << c.heading << " " << k;
            EXPECT_NEAR(hexagon[k].y, 15 * std::sin(c.baseAngle + k * PI / 3), 1e-4f) << c.heading << " " << k;
        }
        ASSERT_EQ(highlight.size(), 4u);
        EXPECT_FALSE(highlight.isClosed());
        EXPECT_EQ(highlight[3], hexagon[3]);
    }
}

TEST_F(ShipDraw, ShipBlinksInRunsOfSevenFramesWhileProtected) {
    ship.point.position.set(100, 200);
    ship.heading = PI / 2;
    ship.invulnerabilityTimer = 1.0f;
    ship.lineScale = 1.5f;
    for (int frame = 0; frame < 30; ++frame) {
        ofFixFrameNum(frame);
        ship.drawLives();
        bool shown = !rec.take().empty();
        EXPECT_EQ(shown, (frame / 7) % 2 == 1) << frame;
    }
    ship.invulnerabilityTimer = -0.01f;
    ofFixFrameNum(3);
    ship.drawLives();
    Calls calls = rec.take();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6),
              (Calls{"setFillMode(0)", "setLineWidth(1.5)", "pushMatrix()", "translate(100,200,0)", "scale(1,1,1)",
                     "rotate(0)"}));
    EXPECT_EQ(calls.back(), "popMatrix()");

    // Bold outlines are twice as wide; the Robot does not turn; gliding hides everything.
    ship.boldOutline = true;
    ship.setShipType(SHIP_ROBOT);
    ship.drawScale = 2;
    ship.drawLives();
    calls = rec.take();
    EXPECT_EQ(calls[1], "setLineWidth(3)");
    EXPECT_EQ(calls[4], "scale(2,2,1)");
    EXPECT_EQ(calls[5], "setColor(10,20,30,150)");
    ship.gliding = true;
    ship.lives = 1;
    ship.drawLives();
    EXPECT_TRUE(rec.take().empty());
}

TEST_F(ShipDraw, LivesTextFadesSwingsAndBlinksOnTheLastLife) {
    PixelFont font;
    font.setup(1);
    ship.font = &font;
    ship.textSize = 2;
    ship.point.position.set(300, 400);
    ship.invulnerabilityTimer = 5;  // keep the ship itself hidden on even runs
    ofFixFrameNum(0);

    auto textCalls = [&](const std::string& text, int alpha) {
        rec.take();
        ofSetColor(ship.colour, alpha);
        ofFill();
        font.drawStringCentered(text, 2, 300, 360);
        return rec.take();
    };
    struct Case {
        int lives;
        float timer, time;
        int frame;
        std::string text;
        int alpha;  // 0: nothing drawn
    };
    const float swingUp = PI / 6;    // sin(3t) = 1
    const float swingDown = PI / 2;  // sin(3t) = −1
    const Case cases[] = {
        {3, 7.0f, 0, 0, "3 lives left", 210},
        {3, 7.0f, swingUp, 0, "3 lives left", 240},
        {3, 1.0f, 0, 0, "3 lives left", 105},
        {3, 1.0f, swingDown, 0, "3 lives left", 75},
        {3, 0.1f, swingDown, 0, "", 0},  // 10.5 − 30 < 0: not bright, nothing
        {3, 0.0f, 0, 0, "", 0},          // timer out
        {2, 3.0f, 0, 7, "2 lives left", 210},
        {1, 0.0f, 0, 7, "Last life!", 210},
        {1, 0.0f, 0, 0, "", 0},          // blinking: hidden run
        {1, 5.0f, swingDown, 21, "Last life!", 180},
        {0, 4.0f, 0, 6, "", 0},
        {0, 4.0f, 0, 8, "0 lives left", 210},
    };
    for (const Case& c : cases) {
        ship.lives = c.lives;
        ship.livesDisplayTimer = c.timer;
        ofFixElapsedTimef(c.time);
        ofFixFrameNum(c.frame);
        ship.invulnerabilityTimer = 5;
        ship.drawLives();
        Calls calls = rec.take();
        // On shown frames the ship comes first: its drawing ends with the frame's pop.
        bool shipShown = (c.frame / 7) % 2 == 1;
        Calls text = c.alpha == 0 ? Calls() : textCalls(c.text, c.alpha);
        ASSERT_GE(calls.size(), text.size());
        EXPECT_EQ(Calls(calls.end() - text.size(), calls.end()), text) << c.lives << " " << c.timer;
        size_t shipCalls = calls.size() - text.size();
        EXPECT_EQ(shipCalls > 0, shipShown);
        if (shipShown) {
            EXPECT_EQ(calls[shipCalls - 1], "popMatrix()");
        }
    }

    ship.font = nullptr;
    ship.lives = 1;
    ofFixFrameNum(7);
    ship.invulnerabilityTimer = -1;
    ship.drawLives();
    EXPECT_EQ(rec.take().back(), "popMatrix()");
}

TEST_F(ShipDraw, TrailNarrowsAndFadesAndNeverHandsOnANonPositiveWidth) {
    ship.point.position.set(0, 0);
    for (int i = 0; i < PlayerShip::TRAIL_LENGTH; ++i) ship.trail[i].set(static_cast<float>(i + 1), 0);
    ship.drawTrail();
    Calls calls = rec.take();
    Calls widths = callsStartingWith(calls, "setLineWidth");
    ASSERT_EQ(widths.size(), 24u);  // 8, then k 0..22; k 23 keeps 0.08
    EXPECT_EQ(widths[0], "setLineWidth(8)");
    EXPECT_EQ(widths[1], "setLineWidth(8)");
    EXPECT_EQ(widths[2], "setLineWidth(7.64)");
    EXPECT_EQ(widths[23], "setLineWidth(" + g(8 - 0.36f * 22) + ")");
    Calls colours = callsStartingWith(calls, "setColor");
    ASSERT_EQ(colours.size(), 25u);
    EXPECT_EQ(colours[0], "setColor(10,20,30,100)");
    EXPECT_EQ(colours[1], "setColor(10,20,30,100)");
    EXPECT_EQ(colours[2], "setColor(10,20,30,96)");
    EXPECT_EQ(colours[24], "setColor(10,20,30,8)");
    Calls lines = callsStartingWith(calls, "drawLine");
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "drawLine(1,0,0,0,0,0)");
    EXPECT_EQ(lines[1], "drawLine(2,0,0,1,0,0)");
    EXPECT_EQ(lines[24], "drawLine(25,0,0,24,0,0)");
    // The last segment still draws, at the width before it.
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
              (Calls{"drawLine(24,0,0,23,0,0)", "setColor(10,20,30,8)", "drawLine(25,0,0,24,0,0)"}));
}
