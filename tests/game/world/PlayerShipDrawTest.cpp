#include "PixelFont.h"
#include "PlayerShip.h"
#include "ShipType.h"
#include "WorldTest.h"

namespace {

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

TEST_F(ShipDraw, NormalShape) {
    ship.setShipType(99);  // unknown types look Normal
    ship.draw(0.5f);
    EXPECT_EQ(rec.take(), (Calls{"pushMatrix()", "translate(0,5,0)", "setColor(10,20,30,75)",
                                 "drawTriangle(0,10,0,10,-10,0,-10,-10,0)", "drawLine(-10,-10,0,-14,-18,0)",
                                 "drawLine(10,-10,0,14,-18,0)", "setFillMode(1)",
                                 "drawTriangle(0,10,0,10,-10,0,-10,-10,0)", "setFillMode(0)", "setColor(10,20,30,127)",
                                 "drawLine(-5,0,0,0,10,0)", "drawLine(5,0,0,0,10,0)", "popMatrix()"}));
}

TEST_F(ShipDraw, RobotHexagonSnapsByTruncatedHeading) {
    ship.setShipType(SHIP_ROBOT);
    // heading, first corner's angle: trunc(h / (π/3) − 2) toward zero, so 1.0 gives −1 where floor gives −2
    const float cases[][2] = {{0, -PI_F / 2}, {1, -PI_F / 6}, {2.5f, PI_F / 6}, {-3, -7 * PI_F / 6}};
    for (const auto& c : cases) {
        ship.heading = c[0];
        ship.draw(1.0f);
        ASSERT_EQ(rec.renderer->drawnPolylines.size(), 2u);
        const ofPolyline hexagon = rec.renderer->drawnPolylines[0];
        rec.take();
        ASSERT_EQ(hexagon.size(), 6u);
        for (int k = 0; k < 6; ++k)
            EXPECT_XY(hexagon[k], 15 * std::cos(c[1] + k * PI_F / 3), 15 * std::sin(c[1] + k * PI_F / 3), 1e-4f);
    }
}

TEST_F(ShipDraw, BlinksOnOddRunsOfSevenFramesAndTheLivesTextFadesAndSwings) {
    PixelFont font;
    font.setup(1);
    ship.point.position.set(300, 400);
    ship.heading = PI_F;
    ship.lineScale = 1.5f;
    ship.boldOutline = true;
    ship.drawScale = 2;
    ship.invulnerabilityTimer = 0;
    for (int frame = 0; frame < 30; ++frame) {
        ofFixFrameNum(frame);
        ship.drawLives();
        const Calls calls = rec.take();
        ASSERT_EQ(!calls.empty(), (frame / 7) % 2 == 1) << frame;
        if (frame == 7) {
            EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6),
                      (Calls{"setFillMode(0)", "setLineWidth(3)", "pushMatrix()", "translate(300,400,0)",
                             "scale(2,2,1)", "rotate(90)"}));
        }
    }
    ship.font = &font;
    ship.textSize = 2;
    const float up = PI_F / 6, down = PI_F / 2;  // sin(3t) = 1 and −1; at 1.164 s alpha 10.5 − 10.3 truncates to 0
    // lives, lives timer, time, frame, alpha (0: no text)
    const float cases[][5] = {{3, 7, 0, 0, 210}, {3, 7, up, 0, 240},      {3, 1, down, 0, 75}, {3, 0.1f, 1.164f, 0, 0},
                              {1, 0, 0, 7, 210}, {1, 5, down, 21, 180}, {1, 0, 0, 0, 0},      {0, 4, 0, 8, 210}};
    for (const auto& c : cases) {
        ship.lives = static_cast<int>(c[0]);
        ship.livesDisplayTimer = c[1];
        ship.invulnerabilityTimer = 5;
        ship.gliding = true;  // hides the ship, and the text with it
        ofFixElapsedTimef(c[2]);
        ofFixFrameNum(static_cast<int>(c[3]));
        ship.drawLives();
        EXPECT_TRUE(rec.take().empty());
        ship.gliding = false;
        ship.drawLives();
        const Calls calls = rec.take();
        Calls text;
        if (c[4] > 0) {
            ofSetColor(ship.colour, static_cast<int>(c[4]));
            ofFill();
            font.drawStringCentered(c[0] == 1 ? "Last life!" : g(c[0]) + " lives left", 2, 300, 360);
            text = rec.take();
        }
        ASSERT_GE(calls.size(), text.size());
        EXPECT_EQ(Calls(calls.end() - text.size(), calls.end()), text) << c[0] << " " << c[1];
        EXPECT_EQ(calls.size() > text.size(), (static_cast<int>(c[3]) / 7) % 2 == 1);  // the ship before it
    }
    ship.setShipType(SHIP_ROBOT);  // does not turn
    ship.font = nullptr;           // no text, no crash
    ship.invulnerabilityTimer = -0.01f;
    ship.drawLives();
    EXPECT_EQ(rec.take()[5], "setColor(10,20,30,150)");
}

TEST_F(ShipDraw, TrailNarrowsAndFadesAndNeverSetsANonPositiveWidth) {
    for (int i = 0; i < PlayerShip::TRAIL_LENGTH; ++i) ship.trail[i].set(static_cast<float>(i + 1), 0);
    ship.drawTrail();
    const Calls calls = rec.take(), widths = callsStartingWith(calls, "setLineWidth");
    ASSERT_EQ(widths.size(), 24u);  // 8, then k = 0 to 22; k = 23 keeps 0.08
    EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[23],
              "setLineWidth(8)setLineWidth(8)setLineWidth(7.64)setLineWidth(" + g(8 - 0.36f * 22) + ")");
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 3),
              (Calls{"setLineWidth(8)", "setColor(10,20,30,100)", "drawLine(1,0,0,0,0,0)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor")[2], "setColor(10,20,30,96)");
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
              (Calls{"drawLine(24,0,0,23,0,0)", "setColor(10,20,30,8)", "drawLine(25,0,0,24,0,0)"}));
}
