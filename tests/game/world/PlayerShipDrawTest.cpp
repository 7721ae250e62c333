#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "PixelFont.h"
#include "PlayerShip.h"
#include "RecorderScope.h"
#include "ShipType.h"
#include "ofTestClock.h"

namespace {

const float PI = 3.14159265358979f;

class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        ship.setup(ofColor(10, 20, 30), false, false, nullptr, nullptr);
        rec.take();
    }
    RecorderScope rec;
    PlayerShip ship;
};

}  // namespace

TEST_F(ShipDraw, NormalShapeAndTheHardyRing) {
    const Calls normal = {"pushMatrix()", "translate(0,5,0)", "setColor(10,20,30,75)",
                          "drawTriangle(0,10,0,10,-10,0,-10,-10,0)", "drawLine(-10,-10,0,-14,-18,0)",
                          "drawLine(10,-10,0,14,-18,0)", "setFillMode(1)", "drawTriangle(0,10,0,10,-10,0,-10,-10,0)",
                          "setFillMode(0)", "setColor(10,20,30,127)", "drawLine(-5,0,0,0,10,0)",
                          "drawLine(5,0,0,0,10,0)", "popMatrix()"};
    ship.setShipType(99);  // unknown types look Normal
    ship.draw(0.5f);
    EXPECT_EQ(rec.take(), normal);
    ship.drawShapeType0(true, 1.0f);
    Calls grey = rec.take();
    EXPECT_EQ(grey[2], "setColor(150,150,150,150)");
    EXPECT_EQ(grey[9], "setColor(150,150,150,255)");

    ship.setShipType(SHIP_HARDY);
    ship.draw(1.0f);
    Calls hardy = rec.take();
    EXPECT_EQ(hardy[1], "scale(1.3,0.9,1)");
    EXPECT_EQ(Calls(hardy.end() - 2, hardy.end()), (Calls{"setColor(10,20,30,150)", "drawCircle(0,0,0,20)"}));
    ship.hardyHitTaken = true;
    ship.draw(1.0f);
    EXPECT_EQ(rec.take().back(), "popMatrix()");
}

TEST_F(ShipDraw, RobotHexagonSnapsByTruncatedHeading) {
    ship.setShipType(SHIP_ROBOT);
    struct Case {
        float heading, base;
    };
    // trunc(h / (π/3) − 2): toward zero, so 1.0 gives −1 where floor gives −2.
    const Case cases[] = {{0, -PI / 2}, {-1, -PI / 2}, {1, -PI / 6}, {2.5f, PI / 6}, {-3, -7 * PI / 6}};
    for (const Case& c : cases) {
        ship.heading = c.heading;
        ship.draw(1.0f);
        ASSERT_EQ(rec.renderer->drawnPolylines.size(), 2u);
        const ofPolyline hexagon = rec.renderer->drawnPolylines[0];
        EXPECT_EQ(rec.renderer->drawnPolylines[1].size(), 4u);
        rec.take();
        ASSERT_EQ(hexagon.size(), 6u);
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(hexagon[k].x, 15 * std::cos(c.base + k * PI / 3), 1e-4f) << c.heading << " " << k;
            EXPECT_NEAR(hexagon[k].y, 15 * std::sin(c.base + k * PI / 3), 1e-4f) << c.heading << " " << k;
        }
    }
}

TEST_F(ShipDraw, ShipBlinksOnOddRunsOfSevenFramesWhileProtected) {
    ship.point.position.set(100, 200);
    ship.heading = PI;
    ship.lineScale = 1.5f;
    ship.invulnerabilityTimer = 0;
    for (int frame = 0; frame < 30; ++frame) {
        ofFixFrameNum(frame);
        ship.drawLives();
        EXPECT_EQ(!rec.take().empty(), (frame / 7) % 2 == 1) << frame;
    }
    ship.invulnerabilityTimer = -0.01f;
    ship.boldOutline = true;
    ship.drawScale = 2;
    ofFixFrameNum(0);
    ship.drawLives();
    Calls calls = rec.take();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6), (Calls{"setFillMode(0)", "setLineWidth(3)", "pushMatrix()",
                                                              "translate(100,200,0)", "scale(2,2,1)", "rotate(90)"}));
    ship.setShipType(SHIP_ROBOT);  // does not turn
    ship.drawLives();
    EXPECT_EQ(rec.take()[5], "setColor(10,20,30,150)");
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
    struct Case {
        int lives;
        float timer, time;
        int frame;
        std::string text;
        int alpha;  // 0: nothing drawn
    };
    const float up = PI / 6, down = PI / 2;  // sin(3t) = 1 and −1
    const Case cases[] = {
        {3, 7, 0, 0, "3 lives left", 210},  {3, 7, up, 0, "3 lives left", 240},  {3, 1, down, 0, "3 lives left", 75},
        {3, 0.1f, down, 0, "", 0},          {3, 0, 0, 0, "", 0},                  {1, 0, 0, 7, "Last life!", 210},
        {1, 5, down, 21, "Last life!", 180}, {1, 0, 0, 0, "", 0},                 {0, 4, 0, 8, "0 lives left", 210},
    };
    for (const Case& c : cases) {
        ship.lives = c.lives;
        ship.livesDisplayTimer = c.timer;
        ship.invulnerabilityTimer = 5;
        ship.gliding = true;  // hides the ship, and the text with it
        ofFixElapsedTimef(c.time);
        ofFixFrameNum(c.frame);
        ship.drawLives();
        EXPECT_TRUE(rec.take().empty());
        ship.gliding = false;
        ship.drawLives();
        Calls calls = rec.take();
        Calls text;
        if (c.alpha > 0) {
            ofSetColor(ship.colour, c.alpha);
            ofFill();
            font.drawStringCentered(c.text, 2, 300, 360);
            text = rec.take();
        }
        ASSERT_GE(calls.size(), text.size());
        EXPECT_EQ(Calls(calls.end() - text.size(), calls.end()), text) << c.lives << " " << c.timer;
        EXPECT_EQ(calls.size() > text.size(), (c.frame / 7) % 2 == 1);  // the ship before it
    }
    ship.font = nullptr;
    ship.drawLives();  // no font: no text, no crash
}

TEST_F(ShipDraw, TrailNarrowsAndFadesAndNeverSetsANonPositiveWidth) {
    for (int i = 0; i < PlayerShip::TRAIL_LENGTH; ++i) ship.trail[i].set(static_cast<float>(i + 1), 0);
    ship.drawTrail();
    Calls calls = rec.take();
    Calls widths = callsStartingWith(calls, "setLineWidth");
    Calls colours = callsStartingWith(calls, "setColor");
    ASSERT_EQ(widths.size(), 24u);  // 8, then k = 0 to 22; k = 23 keeps 0.08
    EXPECT_EQ(Calls(widths.begin(), widths.begin() + 3),
              (Calls{"setLineWidth(8)", "setLineWidth(8)", "setLineWidth(7.64)"}));
    EXPECT_EQ(widths[23], "setLineWidth(" + g(8 - 0.36f * 22) + ")");
    ASSERT_EQ(colours.size(), 25u);
    EXPECT_EQ(colours[2], "setColor(10,20,30,96)");
    EXPECT_EQ(colours[24], "setColor(10,20,30,8)");
    EXPECT_EQ(Calls(calls.begin() + 2, calls.begin() + 3), (Calls{"drawLine(1,0,0,0,0,0)"}));
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
              (Calls{"drawLine(24,0,0,23,0,0)", "setColor(10,20,30,8)", "drawLine(25,0,0,24,0,0)"}));
}
