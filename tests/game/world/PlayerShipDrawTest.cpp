#include "PixelFont.h"
#include "PlayerShip.h"
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

TEST_F(ShipDraw, BlinksOnOddRunsOfSevenFramesAndTheLivesTextFadesAndSwings) {
    ship.invulnerabilityTimer = 0;
    for (int frame = 0; frame < 30; ++frame) {
        ofFixFrameNum(frame);
        ship.drawLives();
        ASSERT_EQ(!rec.take().empty(), (frame / 7) % 2 == 1) << frame;
    }
    PixelFont font;
    font.setup(1);
    ship.font = &font;
    DrawnTexts texts;
    const float up = PI_F / 6, down = PI_F / 2;  // sin(3t) = 1 and −1; at 1.164 s alpha 10.5 − 10.3 truncates to 0
    // lives, lives timer, time, frame, alpha (0: no text); the last life shows only while the ship does
    const float cases[][5] = {{3, 7, 0, 0, 210}, {3, 7, up, 0, 240}, {3, 1, down, 0, 75}, {3, 0.1f, 1.164f, 0, 0},
                              {1, 0, 0, 7, 210}, {1, 0, 0, 0, 0},    {0, 4, 0, 8, 210}};
    for (const auto& c : cases) {
        ship.lives = static_cast<int>(c[0]);
        ship.livesDisplayTimer = c[1];
        ship.invulnerabilityTimer = 5;
        ship.gliding = true;  // hides the ship, and the text with it
        ofFixElapsedTimef(c[2]);
        ofFixFrameNum(static_cast<int>(c[3]));
        ship.drawLives();
        EXPECT_TRUE(rec.take().empty() && texts.take().empty());
        ship.gliding = false;
        ship.drawLives();
        const Calls colours = callsStartingWith(rec.take(), "setColor");
        EXPECT_EQ(texts.take(), c[4] > 0 ? Calls{c[0] == 1 ? "Last life!" : g(c[0]) + " lives left"} : Calls{});
        EXPECT_EQ(colours.empty() ? "" : colours.back(), c[4] > 0 ? "setColor(10,20,30," + g(c[4]) + ")" : "")
            << c[0] << " " << c[1];
    }
    ship.invulnerabilityTimer = -0.01f;  // no longer invulnerable: always shown
    ship.drawLives();
    EXPECT_EQ(callsStartingWith(rec.take(), "setColor")[0], "setColor(10,20,30,150)");
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
